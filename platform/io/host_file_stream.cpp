#include "platform/io/host_file_stream.h"

#include "platform/winerror.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

class HostFileStream final : public MediaStream {
public:
    HostFileStream(int descriptor, std::int64_t size) : descriptor_(descriptor), size_(size) {}
    ~HostFileStream() override { ::close(descriptor_); }
    HostFileStream(const HostFileStream&) = delete;
    HostFileStream& operator=(const HostFileStream&) = delete;

    std::int64_t Read(char* buffer, std::uint64_t size) override {
        ssize_t count;
        do
            count = ::read(descriptor_, buffer, size);
        while (count < 0 && errno == EINTR);
        return count;
    }

    bool Seek(std::int64_t offset) override {
        return ::lseek(descriptor_, offset, SEEK_SET) == offset;
    }

    std::int64_t Size() const override { return size_; }

private:
    const int descriptor_;
    const std::int64_t size_;
};

DWORD OpenError(int error) {
    switch (error) {
    case ENOENT:
        return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
        return ERROR_PATH_NOT_FOUND;
    default:
        return ERROR_READ_FAULT;
    }
}

} // namespace

DWORD OpenHostFileStream(const std::string& path, std::unique_ptr<MediaStream>& stream) {
    // Non-blocking, so that a named pipe in a mapped folder is refused below
    // instead of holding the caller until a writer appears; plain files read
    // the same either way.
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0)
        return OpenError(errno);
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        return ERROR_ACCESS_DENIED;
    }
    stream = std::make_unique<HostFileStream>(descriptor, status.st_size);
    return ERROR_SUCCESS;
}

} // namespace platform
