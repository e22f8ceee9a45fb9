#include "platform/store/atomic_file.h"

#include "platform/store/file_system.h"

#include "platform/paths/path_parts.h"

#include <cerrno>
#include <climits>
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

// Temporary copies are hidden and carry a marker no person puts in a name,
// so that a user's own "user.reg.backup" beside the file is never taken for one.
constexpr std::string_view kTemporaryMarker = ".quelvo-save-";
constexpr std::size_t kTemporaryRandomLength = 6; // the "XXXXXX" of mkostemp

std::string TemporaryPrefixOf(std::string_view name) {
    std::string prefix = ".";
    prefix += name;
    prefix += kTemporaryMarker;
    return prefix;
}

bool IsTemporaryOf(std::string_view entry, std::string_view name) {
    const std::string prefix = TemporaryPrefixOf(name);
    return entry.size() == prefix.size() + kTemporaryRandomLength && entry.starts_with(prefix);
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

// The file a save replaces: a symbolic link's final target, so that a
// settings file linked into place (from a repository of dotfiles, say) gets
// the new contents and stays a link. A link that leads nowhere is written
// through as well, creating its target.
Status FileBehindLinks(const std::string& path, std::string& target) {
    constexpr int kMostLinks = 40; // as the kernel follows them
    target = path;
    for (int followed = 0; followed <= kMostLinks; ++followed) {
        struct stat info {};
        if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return {};
        std::string link(static_cast<std::size_t>(PATH_MAX), '\0');
        const ssize_t length = ::readlink(target.c_str(), link.data(), link.size());
        if (length < 0)
            return StatusFromErrno(errno, "follow the link", target);
        link.resize(static_cast<std::size_t>(length));
        target = link.starts_with('/') ? link : FolderOf(target) + "/" + link;
    }
    return StatusFromErrno(ELOOP, "follow the link", path);
}

// Gives the new copy the owner, group and permissions of the file it
// replaces (new files are private to the user). Only a privileged writer may
// hand a file to another owner; for anyone else the owner stays theirs, which
// is all the system allows.
bool TakeOwnershipOf(int descriptor, const std::string& replaced) {
    struct stat info {};
    if (::stat(replaced.c_str(), &info) != 0)
        return ::fchmod(descriptor, 0600) == 0;
    if (::fchown(descriptor, info.st_uid, info.st_gid) != 0 &&
        ::fchown(descriptor, static_cast<uid_t>(-1), info.st_gid) != 0 && errno != EPERM)
        return false;
    // After the change of owner, which clears set-user-ID bits.
    return ::fchmod(descriptor, info.st_mode & 07777) == 0;
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
    std::string target;
    if (Status followed = FileBehindLinks(path, target); !followed.ok())
        return followed;
    const std::string folder = FolderOf(target);
    if (Status created = CreateFolders(folder); !created.ok())
        return created;

    RemoveStaleTemporaries(target);
    std::string temporary = folder + "/" + TemporaryPrefixOf(NamePart(target, kHostSeparators));
    temporary.append(kTemporaryRandomLength, 'X');
    Descriptor descriptor(::mkostemp(temporary.data(), O_CLOEXEC));
    if (descriptor.get() < 0)
        return StatusFromErrno(errno, "create a file in", folder);

    int error = 0;
    if (!WriteAll(descriptor.get(), contents) || !TakeOwnershipOf(descriptor.get(), target) ||
        ::fsync(descriptor.get()) != 0)
        error = errno;
    if (descriptor.close() != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0)
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
