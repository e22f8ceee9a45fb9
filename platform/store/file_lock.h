#pragma once
#include "platform/store/store_status.h"

#include <chrono>
#include <string>

namespace platform::store {

// How long a save waits for another process's lock before it gives up: a
// peer stopped in the middle of its save must not freeze this one.
constexpr std::chrono::milliseconds kLockWait{3000};

// An exclusive lock on a file, shared by every process and thread that uses
// it: it serialises read-modify-write cycles so that none is lost. The lock is
// an advisory lock on the sidecar "<file>.lock", which is left in place (removing
// it would let two processes lock two different files).
class FileLock {
public:
    FileLock() = default;
    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock();

    // Waits until the lock of `path` is ours, at most kLockWait (then
    // Outcome::failed); creates the folder and the sidecar when they are
    // missing. Releases any lock held before.
    Status Acquire(const std::string& path);
    void Release();
    bool Held() const { return descriptor_ >= 0; }

private:
    int descriptor_ = -1;
};

// The sidecar file that carries the lock of `path`.
std::string LockFileOf(const std::string& path);

} // namespace platform::store
