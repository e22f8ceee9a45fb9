#include "platform/paths/drive_letters.h"

namespace platform {
std::optional<char> DriveLetter(char c) {
    if (c >= 'A' && c <= 'Z')
        return c;
    if (c >= 'a' && c <= 'z')
        return static_cast<char>(c - 'a' + 'A');
    return std::nullopt;
}

std::optional<char> ParseDriveName(std::string_view text) {
    if (text.size() != 2 || text[1] != ':')
        return std::nullopt;
    return DriveLetter(text[0]);
}

std::optional<char> ParseDriveRoot(std::string_view text) {
    if (text.size() == 3 && (text[2] == '\\' || text[2] == '/'))
        text.remove_suffix(1);
    return ParseDriveName(text);
}

std::string DriveName(char letter) {
    return {letter, ':'};
}

} // namespace platform
