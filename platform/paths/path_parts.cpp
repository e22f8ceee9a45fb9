#include "platform/paths/path_parts.h"

namespace platform {

std::size_t NameStart(std::string_view path, std::string_view separators) {
    const std::size_t separator = path.find_last_of(separators);
    return separator == std::string_view::npos ? 0 : separator + 1;
}

std::string_view NamePart(std::string_view path, std::string_view separators) {
    return path.substr(NameStart(path, separators));
}

std::string_view ExtensionPart(std::string_view path, std::string_view separators) {
    const std::string_view name = NamePart(path, separators);
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

std::string_view NameWithoutExtension(std::string_view path, std::string_view separators) {
    const std::string_view name = NamePart(path, separators);
    return name.substr(0, name.size() - ExtensionPart(name, separators).size());
}

std::string FolderOf(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string_view::npos)
        return ".";
    return std::string(slash == 0 ? path.substr(0, 1) : path.substr(0, slash));
}

} // namespace platform
