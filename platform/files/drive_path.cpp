#include "platform/files/drive_path.h"

#include "platform/drives/drive_letters.h"

#include <algorithm>

namespace platform {
namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

bool IsValidNameCharacter(char c) {
    constexpr std::string_view forbidden = "<>:\"|";
    return static_cast<unsigned char>(c) >= 0x20 && forbidden.find(c) == std::string_view::npos;
}

} // namespace

bool NamesDrive(std::string_view path) {
    return path.size() >= 2 && path[1] == ':' && DriveLetter(path[0]);
}

bool HasWildcard(std::string_view name) {
    return name.find_first_of("*?") != std::string_view::npos;
}

std::optional<DrivePath> ParseDrivePath(std::string_view path) {
    if (!NamesDrive(path))
        return std::nullopt;
    DrivePath parsed{*DriveLetter(path[0]), {}};
    std::string_view rest = path.substr(2);
    while (!rest.empty()) {
        const auto end = std::find_if(rest.begin(), rest.end(), IsSeparator);
        const std::string_view name(rest.begin(), end);
        rest.remove_prefix(name.size() + (end == rest.end() ? 0 : 1));
        if (name.empty() || name == ".")
            continue;
        if (name == "..") {
            if (!parsed.names.empty())
                parsed.names.pop_back();
            continue;
        }
        if (!std::all_of(name.begin(), name.end(), IsValidNameCharacter))
            return std::nullopt;
        parsed.names.emplace_back(name);
    }
    return parsed;
}

} // namespace platform
