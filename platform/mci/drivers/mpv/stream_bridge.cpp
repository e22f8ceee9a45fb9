#include "platform/mci/drivers/mpv/stream_bridge.h"

#include "platform/mci/drivers/mpv/mpv_library.h"

#include <algorithm>
#include <utility>

namespace platform::mci {
namespace {

constexpr std::int64_t seekFailed = MPV_ERROR_GENERIC;
constexpr std::int64_t sizeUnknown = MPV_ERROR_UNSUPPORTED;

constexpr const char* protocol = "quelvo";

// One stream as mpv holds it; mpv's close callback frees it.
struct OpenStream {
    std::shared_ptr<MediaStream> stream;
    std::shared_ptr<StreamBridge::State> state;
    std::atomic<bool> cancelled{false}; // by mpv, for this stream alone

    bool Cancelled() const { return cancelled.load() || state->cancelled.load(); }
};

std::int64_t readStream(void* cookie, char* buffer, std::uint64_t size) {
    auto* open = static_cast<OpenStream*>(cookie);
    if (open->Cancelled())
        return -1;
    const std::int64_t count = open->stream->Read(buffer, size);
    // What a cancelled stream reads after all is dropped: the reader that
    // asked has gone on already.
    if (open->Cancelled())
        return -1;
    if (count < 0)
        open->state->readFailed.store(true);
    return count;
}

std::int64_t seekStream(void* cookie, std::int64_t offset) {
    auto* open = static_cast<OpenStream*>(cookie);
    return !open->Cancelled() && open->stream->Seek(offset) ? offset : seekFailed;
}

std::int64_t streamSize(void* cookie) {
    const std::int64_t size = static_cast<OpenStream*>(cookie)->stream->Size();
    return size < 0 ? sizeUnknown : size;
}

void cancelStream(void* cookie) {
    auto* open = static_cast<OpenStream*>(cookie);
    open->cancelled.store(true);
    open->stream->Cancel();
}

void closeStream(void* cookie) {
    delete static_cast<OpenStream*>(cookie);
}

} // namespace

StreamBridge::StreamBridge(std::string element)
    : element_(std::move(element)), state_(std::make_shared<State>()) {
}

MCIERROR StreamBridge::OpenAhead() {
    std::unique_ptr<MediaStream> stream;
    const MCIERROR error = OpenMediaStream(element_, stream);
    std::lock_guard lock(mutex_);
    ahead_ = std::move(stream);
    return error;
}

bool StreamBridge::AttachTo(mpv_handle* core) {
    return Mpv().stream_cb_add_ro(core, protocol, this, &StreamBridge::openForMpv) >= 0;
}

const char* StreamBridge::Url() {
    return "quelvo://media";
}

void StreamBridge::Cancel() {
    state_->cancelled.store(true);
    const std::lock_guard lock(state_->mutex);
    for (const std::weak_ptr<MediaStream>& open : state_->open) {
        if (const std::shared_ptr<MediaStream> stream = open.lock())
            stream->Cancel();
    }
}

int StreamBridge::openForMpv(void* userData, char*, mpv_stream_cb_info* info) {
    auto* bridge = static_cast<StreamBridge*>(userData);
    std::unique_ptr<MediaStream> stream;
    {
        std::lock_guard lock(bridge->mutex_);
        stream = std::move(bridge->ahead_);
    }
    if (bridge->state_->cancelled.load())
        return MPV_ERROR_LOADING_FAILED;
    if (!stream && OpenMediaStream(bridge->element_, stream) != 0)
        return MPV_ERROR_LOADING_FAILED;
    auto* open = new OpenStream{std::move(stream), bridge->state_};
    {
        const std::lock_guard lock(bridge->state_->mutex);
        std::erase_if(bridge->state_->open, [](const auto& gone) { return gone.expired(); });
        bridge->state_->open.push_back(open->stream);
    }
    // Cancelled while it opened: the bridge's Cancel did not see it.
    if (bridge->state_->cancelled.load())
        open->stream->Cancel();
    info->cookie = open;
    info->read_fn = readStream;
    info->seek_fn = seekStream;
    info->size_fn = streamSize;
    info->close_fn = closeStream;
    info->cancel_fn = cancelStream;
    return 0;
}

} // namespace platform::mci
