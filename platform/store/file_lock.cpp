#include "platform/store/file_lock.h"

#include "platform/store/file_system.h"

#include <algorithm>
#include <cerrno>
#include <sys/file.h>
#include <thread>
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
    const auto deadline = std::chrono::steady_clock::now() + kLockWait;
    auto pause = std::chrono::milliseconds(1);
    while (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        if (error == EINTR)
            continue;
        if (error != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline) {
            ::close(descriptor);
            if (error == EWOULDBLOCK)
                return {Outcome::failed, "cannot lock " + LockFileOf(path) +
                                             ": another process has held it for " +
                                             std::to_string(kLockWait.count() / 1000) + " seconds"};
            return StatusFromErrno(error, "lock", LockFileOf(path));
        }
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::milliseconds(50));
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
