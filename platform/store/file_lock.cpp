#include "platform/store/file_lock.h"

#include "platform/store/file_system.h"

#include <cerrno>
#include <sys/file.h>
#include <unistd.h>
#include <utility>

namespace platform::store {

std::string LockFileOf(const std::string& path) {
    return path + ".lock";
}

FileLock::FileLock(FileLock&& other) noexcept : descriptor_(std::exchange(other.descriptor_, -1)) {
}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        Release();
        descriptor_ = std::exchange(other.descriptor_, -1);
    }
    return *this;
}

FileLock::~FileLock() {
    Release();
}

Status FileLock::Acquire(const std::string& path) {
    Release();
    int descriptor = -1;
    if (Status opened = OpenLockFile(path, descriptor); !opened.ok())
        return opened;
    // Each Acquire opens its own description of the sidecar, so the lock also
    // excludes other threads of this process, not only other processes.
    while (::flock(descriptor, LOCK_EX) != 0) {
        if (errno != EINTR) {
            const int error = errno;
            ::close(descriptor);
            return StatusFromErrno(error, "lock", LockFileOf(path));
        }
    }
    descriptor_ = descriptor;
    return {};
}

void FileLock::Release() {
    // Closing the only descriptor of the description drops the lock.
    if (descriptor_ >= 0)
        ::close(std::exchange(descriptor_, -1));
}

} // namespace platform::store
