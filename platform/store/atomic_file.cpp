#include "platform/store/atomic_file.h"

#include "platform/store/file_system.h"

#include "platform/paths/path_parts.h"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <dirent.h>
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

// A temporary copy as WriteWholeFile makes them: "<name>.XXXXXX".
bool IsTemporaryOf(std::string_view entry, std::string_view name) {
    constexpr std::size_t suffix = 6;
    if (entry.size() != name.size() + 1 + suffix || !entry.starts_with(name) ||
        entry[name.size()] != '.')
        return false;
    return std::all_of(entry.end() - suffix, entry.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    });
}

// A save killed half way leaves its temporary copy behind. One older than any
// save takes belongs to no live writer; they are removed before each save.
void RemoveStaleTemporaries(const std::string& path) {
    constexpr std::time_t kStaleSeconds = 60;
    const std::string folder = FolderOf(path);
    const std::string name(NamePart(path, kHostSeparators));
    DIR* listing = ::opendir(folder.c_str());
    if (!listing)
        return;
    const std::time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(listing)) {
        struct stat info {};
        if (!IsTemporaryOf(entry->d_name, name) ||
            ::fstatat(::dirfd(listing), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        if (S_ISREG(info.st_mode) && now - info.st_mtime > kStaleSeconds)
            ::unlinkat(::dirfd(listing), entry->d_name, 0);
    }
    ::closedir(listing);
}

Status TooLarge(const std::string& path) {
    return {Outcome::unusable, "cannot read " + path + ": larger than " +
                                   std::to_string(kMaxStoredFileBytes) + " bytes"};
}

} // namespace

Status ReadWholeFile(const std::string& path, std::string& contents) {
    // Non-blocking, so that a pipe put where the file belongs cannot hold the
    // open; it is refused below like every other file that is not regular.
    Descriptor descriptor(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (descriptor.get() < 0)
        return StatusFromErrno(errno, "open", path);
    struct stat info {};
    if (::fstat(descriptor.get(), &info) != 0)
        return StatusFromErrno(errno, "read", path);
    if (!S_ISREG(info.st_mode))
        return {Outcome::unusable, "cannot read " + path + ": not a regular file"};
    if (static_cast<std::size_t>(info.st_size) > kMaxStoredFileBytes)
        return TooLarge(path);
    contents.clear();
    contents.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[16384];
    for (;;) {
        const ssize_t got = ::read(descriptor.get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return StatusFromErrno(errno, "read", path);
        if (got == 0)
            break;
        // The file may grow while it is read; the bound holds all the same.
        if (contents.size() + static_cast<std::size_t>(got) > kMaxStoredFileBytes)
            return TooLarge(path);
        contents.append(buffer, static_cast<std::size_t>(got));
    }
    return {};
}

Status WriteWholeFile(const std::string& path, std::string_view contents) {
    const std::string folder = FolderOf(path);
    if (Status created = CreateFolders(folder); !created.ok())
        return created;

    RemoveStaleTemporaries(path);
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
