#include "platform/mci/drivers/mpv/stream_bridge.h"

#include <mpv/client.h>
#include <mpv/stream_cb.h>

#include <utility>

namespace platform::mci {
namespace {

constexpr std::int64_t seekFailed = MPV_ERROR_GENERIC;
constexpr std::int64_t sizeUnknown = MPV_ERROR_UNSUPPORTED;

constexpr const char* protocol = "quelvo";

// One stream as mpv holds it; mpv's close callback frees it.
struct OpenStream {
    std::unique_ptr<MediaStream> stream;
    std::shared_ptr<std::atomic<bool>> readFailed;
};

std::int64_t readStream(void* cookie, char* buffer, std::uint64_t size) {
    auto* open = static_cast<OpenStream*>(cookie);
    const std::int64_t count = open->stream->Read(buffer, size);
    if (count < 0)
        open->readFailed->store(true);
    return count;
}

std::int64_t seekStream(void* cookie, std::int64_t offset) {
    return static_cast<OpenStream*>(cookie)->stream->Seek(offset) ? offset : seekFailed;
}

std::int64_t streamSize(void* cookie) {
    const std::int64_t size = static_cast<OpenStream*>(cookie)->stream->Size();
    return size < 0 ? sizeUnknown : size;
}

void closeStream(void* cookie) {
    delete static_cast<OpenStream*>(cookie);
}

} // namespace

StreamBridge::StreamBridge(std::string element)
    : element_(std::move(element)), readFailed_(std::make_shared<std::atomic<bool>>(false)) {
}

MCIERROR StreamBridge::OpenAhead() {
    std::unique_ptr<MediaStream> stream;
    const MCIERROR error = OpenMediaStream(element_, stream);
    std::lock_guard lock(mutex_);
    ahead_ = std::move(stream);
    return error;
}

bool StreamBridge::AttachTo(mpv_handle* core) {
    return mpv_stream_cb_add_ro(core, protocol, this, &StreamBridge::openForMpv) >= 0;
}

const char* StreamBridge::Url() {
    return "quelvo://media";
}

int StreamBridge::openForMpv(void* userData, char*, mpv_stream_cb_info* info) {
    auto* bridge = static_cast<StreamBridge*>(userData);
    std::unique_ptr<MediaStream> stream;
    {
        std::lock_guard lock(bridge->mutex_);
        stream = std::move(bridge->ahead_);
    }
    if (!stream && OpenMediaStream(bridge->element_, stream) != 0)
        return MPV_ERROR_LOADING_FAILED;
    info->cookie = new OpenStream{std::move(stream), bridge->readFailed_};
    info->read_fn = readStream;
    info->seek_fn = seekStream;
    info->size_fn = streamSize;
    info->close_fn = closeStream;
    return 0;
}

} // namespace platform::mci
