#include "platform/store/atomic_file.h"

#include "platform/store/file_system.h"

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace platform::store {
namespace {

// Closes the descriptor when the scope ends, whatever the way out.
class Descriptor {
public:
    explicit Descriptor(int descriptor) : descriptor_(descriptor) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (descriptor_ >= 0)
            ::close(descriptor_);
    }
    int get() const { return descriptor_; }
    // Closes now and reports the outcome: a failed close can be a lost write.
    int close() { return ::close(std::exchange(descriptor_, -1)); }

private:
    int descriptor_;
};

bool WriteAll(int descriptor, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written == 0)
            errno = EIO; // no progress and no reason given: never take it for success
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// The permissions the new file should carry: those of the file it replaces.
mode_t ModeFor(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0)
        return info.st_mode & 07777;
    return 0600;
}

// Flushes the folder so that a rename in it survives a crash.
void FlushFolder(const std::string& folder) {
    Descriptor descriptor(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (descriptor.get() >= 0)
        ::fsync(descriptor.get());
}

std::string Timestamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

} // namespace

Status ReadWholeFile(const std::string& path, std::string& contents) {
    Descriptor descriptor(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (descriptor.get() < 0)
        return StatusFromErrno(errno, "open", path);
    contents.clear();
    char buffer[16384];
    for (;;) {
        const ssize_t got = ::read(descriptor.get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return StatusFromErrno(errno, "read", path);
        if (got == 0)
            return {};
        contents.append(buffer, static_cast<std::size_t>(got));
    }
}

Status WriteWholeFile(const std::string& path, std::string_view contents) {
    const std::string folder = FolderOf(path);
    if (Status created = CreateFolders(folder); !created.ok())
        return created;

    std::string temporary = path + ".XXXXXX";
    Descriptor descriptor(::mkostemp(temporary.data(), O_CLOEXEC));
    if (descriptor.get() < 0)
        return StatusFromErrno(errno, "create a file in", folder);

    int error = 0;
    if (!WriteAll(descriptor.get(), contents) || ::fchmod(descriptor.get(), ModeFor(path)) != 0 ||
        ::fsync(descriptor.get()) != 0)
        error = errno;
    if (descriptor.close() != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(temporary.c_str(), path.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        return StatusFromErrno(error, "write", path);
    }
    FlushFolder(folder);
    return {};
}

Status CheckWritable(const std::string& path) {
    int descriptor = -1;
    if (Status opened = OpenLockFile(path, descriptor); !opened.ok())
        return opened;
    Descriptor sidecar(descriptor);
    // A file the user made read-only stays unchanged, although the rename
    // that replaces it would only need the folder to be writable.
    if (::access(path.c_str(), W_OK) != 0 && errno != ENOENT)
        return StatusFromErrno(errno, "write", path);
    return {};
}

Status KeepAside(const std::string& path, std::string_view tag, std::string& keptAs) {
    const std::string base = path + "." + std::string(tag) + "-" + Timestamp();
    for (int attempt = 1;; ++attempt) {
        keptAs = attempt == 1 ? base : base + "-" + std::to_string(attempt);
        if (::renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, keptAs.c_str(), RENAME_NOREPLACE) == 0) {
            FlushFolder(FolderOf(path));
            return {};
        }
        if (errno != EEXIST)
            return StatusFromErrno(errno, "move aside", path);
    }
}

} // namespace platform::store
