#pragma once
// The name part, the extension and the folder of a path, each caller naming
// the characters that end a folder in the paths it handles.
#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// The paths the program writes: "\" and "/" both, and the colon after a drive
// letter ("D:AVSEQ01.DAT").
inline constexpr std::string_view kWindowsSeparators = "\\/:";
// Paths of this machine.
inline constexpr std::string_view kHostSeparators = "/";

// Where the name part starts: just after the last separator, else 0.
std::size_t NameStart(std::string_view path, std::string_view separators = kWindowsSeparators);

// What follows the last separator.
std::string_view NamePart(std::string_view path, std::string_view separators = kWindowsSeparators);

// The extension, dot included: from the name part's last dot on; empty when
// the name part has no dot.
std::string_view ExtensionPart(std::string_view path,
                               std::string_view separators = kWindowsSeparators);

// The name part without its extension.
std::string_view NameWithoutExtension(std::string_view path,
                                      std::string_view separators = kWindowsSeparators);

// The folder of a path of this machine: the text before its last "/", "/" for
// a name in the root, "." for a bare name.
std::string FolderOf(std::string_view path);

} // namespace platform
