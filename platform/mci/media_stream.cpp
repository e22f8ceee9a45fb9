#include "platform/mci/media_stream.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace platform::mci {
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

MCIERROR openHostFile(const std::string& path, std::unique_ptr<MediaStream>& stream) {
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return errno == ENOENT || errno == ENOTDIR ? MCIERR_FILE_NOT_FOUND : MCIERR_FILE_READ;
    struct stat status {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(descriptor);
        return MCIERR_INVALID_FILE;
    }
    stream = std::make_unique<HostFileStream>(descriptor, status.st_size);
    return 0;
}

MediaOpener& installedOpener() {
    static MediaOpener opener;
    return opener;
}

} // namespace

MCIERROR OpenMediaStream(const std::string& element, std::unique_ptr<MediaStream>& stream) {
    if (const MediaOpener& opener = installedOpener())
        return opener(element, stream);
    return openHostFile(element, stream);
}

MediaOpener SetMediaOpener(MediaOpener opener) {
    return std::exchange(installedOpener(), std::move(opener));
}

} // namespace platform::mci
