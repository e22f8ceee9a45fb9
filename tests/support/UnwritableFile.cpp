#include "tests/support/UnwritableFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

bool SetImmutable(const std::string& path, bool on, std::string& problem) {
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        problem = "cannot open " + path + ": " + std::strerror(errno);
        return false;
    }
    int flags = 0;
    bool done = ::ioctl(descriptor, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        done = ::ioctl(descriptor, FS_IOC_SETFLAGS, &flags) == 0;
    }
    if (!done)
        problem = "cannot make " + path + " immutable: " + std::strerror(errno);
    ::close(descriptor);
    return done;
}

} // namespace

UnwritableFile::UnwritableFile(std::string path) : path_(std::move(path)) {
    if (::chmod(path_.c_str(), S_IRUSR) != 0) {
        problem_ = "cannot make " + path_ + " read-only: " + std::strerror(errno);
        return;
    }
    if (::access(path_.c_str(), W_OK) != 0)
        return; // an ordinary user: read-only is enough
    immutable_ = SetImmutable(path_, true, problem_);
}

UnwritableFile::~UnwritableFile() {
    std::string ignored;
    if (immutable_)
        SetImmutable(path_, false, ignored);
    ::chmod(path_.c_str(), S_IRUSR | S_IWUSR);
}
