#pragma once
// Where profile files live and how they are read and changed: a bare name
// such as "win.ini" is a file of the platform's Windows folder,
// <configuration folder>/windows/; a host path starting with "/" is itself.
// Changes are locked read-change-save cycles with atomic saves, so that
// processes sharing the files never undo each other's changes.
#include <functional>
#include <optional>
#include <string>

namespace platform::profile {

std::string WindowsFolder();
std::string ProfilePath(const std::string& fileName);

// The file's text; empty when it is missing or cannot be read (reported).
std::string ReadProfileText(const std::string& path);

// Hands the text to `change` (nothing when the file does not exist yet), and
// saves it when `change` returns true. `change` may be asked twice: first on
// an unlocked read, and only when it wants a change, again under the file's
// lock. False, after reporting why, when the file cannot be read, locked or
// saved.
using ProfileChange = std::function<bool(std::optional<std::string>& text)>;
bool UpdateProfileText(const std::string& path, const ProfileChange& change);

} // namespace platform::profile
