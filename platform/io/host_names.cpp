#include "platform/io/host_names.h"

#include "platform/ascii_case.h"
#include "platform/paths/drive_path.h"

#include <algorithm>
#include <dirent.h>
#include <memory>
#include <sys/stat.h>

namespace platform {
namespace {

struct FolderCloser {
    void operator()(DIR* folder) const { ::closedir(folder); }
};

// Ties between names that differ only in case are broken by their bytes, so
// that the order never depends on the order the host returned them in.
bool ListedBefore(const std::string& a, const std::string& b) {
    if (LessIgnoringAsciiCase(a, b))
        return true;
    return !LessIgnoringAsciiCase(b, a) && a < b;
}

} // namespace

std::optional<std::vector<std::string>> ListHostFolder(const std::string& folder) {
    const std::unique_ptr<DIR, FolderCloser> listing(::opendir(folder.c_str()));
    if (!listing)
        return std::nullopt;
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(listing.get())) {
        // A name no drive path can carry would be listed only to fail when it
        // is opened; it is left out, as a Windows folder would never show it.
        const std::string_view name = entry->d_name;
        if (IsWindowsName(name))
            names.emplace_back(name);
    }
    std::sort(names.begin(), names.end(), ListedBefore);
    return names;
}

std::optional<std::string> FindHostName(const std::string& folder, std::string_view name) {
    struct stat status {};
    const std::string exact = folder + "/" + std::string(name);
    if (::lstat(exact.c_str(), &status) == 0)
        return std::string(name);
    const std::optional<std::vector<std::string>> names = ListHostFolder(folder);
    if (!names)
        return std::nullopt;
    const auto found = std::find_if(names->begin(), names->end(), [name](const std::string& each) {
        return EqualsIgnoringAsciiCase(each, name);
    });
    if (found == names->end())
        return std::nullopt;
    return *found;
}

} // namespace platform
