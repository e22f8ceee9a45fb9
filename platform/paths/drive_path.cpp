#include "platform/paths/drive_path.h"

#include "platform/paths/drive_letters.h"
#include "platform/winerror.h"

#include <algorithm>
#include <QUtf8StringView>

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

bool IsWindowsName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           std::all_of(name.begin(), name.end(), IsValidNameCharacter) && !HasWildcard(name) &&
           name.find_first_of("\\/") == std::string_view::npos &&
           QUtf8StringView(name).isValidUtf8();
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

bool ParseFilePath(std::string_view fileName, DrivePath& path, DWORD& error) {
    std::optional<DrivePath> parsed = ParseDrivePath(fileName);
    if (!parsed) {
        error = NamesDrive(fileName) ? ERROR_INVALID_NAME : ERROR_PATH_NOT_FOUND;
        return false;
    }
    if (std::any_of(parsed->names.begin(), parsed->names.end(), HasWildcard)) {
        error = ERROR_INVALID_NAME;
        return false;
    }
    path = std::move(*parsed);
    return true;
}

} // namespace platform
