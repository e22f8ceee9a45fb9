#include "platform/store/player_presence.h"

#include "platform/store/config_dir.h"
#include "platform/store/file_lock.h"
#include "platform/store/file_system.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform::store {
namespace {
std::string PresenceFile() {
    return ConfigDir() + "/player";
}
} // namespace

PlayerPresence::PlayerPresence() {
    int descriptor = -1;
    if (!OpenLockFile(PresenceFile(), descriptor).ok())
        return;
    // A probe holds the lock exclusively for a moment only: wait it out.
    while (::flock(descriptor, LOCK_SH) != 0) {
        if (errno != EINTR) {
            ::close(descriptor);
            return;
        }
    }
    descriptor_ = descriptor;
}

PlayerPresence::~PlayerPresence() {
    if (descriptor_ >= 0)
        ::close(descriptor_);
}

bool IsPlayerRunning() {
    const std::string lockFile = LockFileOf(PresenceFile());
    const int descriptor = ::open(lockFile.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    const bool held = ::flock(descriptor, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(descriptor);
    return held;
}

} // namespace platform::store
