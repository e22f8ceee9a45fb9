#include "platform/store/file_system.h"

#include "platform/store/file_lock.h"

#include "platform/paths/path_parts.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

namespace platform::store {

Status CreateFolders(const std::string& folder) {
    struct stat info {};
    if (::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
        return {};
    for (std::size_t end = folder.find('/', 1);; end = folder.find('/', end + 1)) {
        const std::string step = folder.substr(0, end);
        if (::mkdir(step.c_str(), 0700) != 0 && errno != EEXIST)
            return StatusFromErrno(errno, "create folder", step);
        if (end == std::string::npos)
            break;
    }
    if (::stat(folder.c_str(), &info) != 0)
        return StatusFromErrno(errno, "create folder", folder);
    if (!S_ISDIR(info.st_mode))
        return StatusFromErrno(ENOTDIR, "create folder", folder);
    return {};
}

Status OpenLockFile(const std::string& path, int& descriptor) {
    if (Status created = CreateFolders(FolderOf(path)); !created.ok())
        return created;
    const std::string lockFile = LockFileOf(path);
    descriptor = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (descriptor < 0)
        return StatusFromErrno(errno, "open", lockFile);
    return {};
}

Status StatusFromErrno(int error, std::string_view action, const std::string& path) {
    Outcome outcome = Outcome::failed;
    switch (error) {
    case ENOENT:
        outcome = Outcome::notFound;
        break;
    case EACCES:
    case EPERM:
    case EROFS:
    case ENOTDIR:
    case EISDIR:
        outcome = Outcome::accessDenied;
        break;
    default:
        break;
    }
    return {outcome, "cannot " + std::string(action) + " " + path + ": " + std::strerror(error)};
}

} // namespace platform::store
