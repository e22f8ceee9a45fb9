#pragma once
// Names in folders of this machine, matched the Windows way.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The name under which `name` exists in the host folder `folder`, matched
// without regard to ASCII case: the exact spelling when it exists, otherwise
// the first match in Windows listing order. Nothing when there is none or the
// folder cannot be read.
std::optional<std::string> FindHostName(const std::string& folder, std::string_view name);

// Every name in the host folder `folder` that a drive path can carry (see
// IsWindowsName), in Windows listing order; nothing when it cannot be read.
std::optional<std::vector<std::string>> ListHostFolder(const std::string& folder);

} // namespace platform
