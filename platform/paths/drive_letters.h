#pragma once
// Drive letters as the program writes them ("E:", "E:\") and as the table keeps
// them (one upper-case character).
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// 'e' or 'E' -> 'E'; anything but a letter A to Z names no drive.
std::optional<char> DriveLetter(char c);

// "E:" or "e:" -> 'E'; anything else names no drive.
std::optional<char> ParseDriveName(std::string_view text);

// A drive's root as Windows callers pass it: "E:", "E:\" or "e:/" -> 'E'.
// A longer path is not a root, so it names no drive either.
std::optional<char> ParseDriveRoot(std::string_view text);

// 'E' -> "E:".
std::string DriveName(char letter);

} // namespace platform
