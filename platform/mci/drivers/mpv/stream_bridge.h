#pragma once
// Lets one mpv core read its element through OpenMediaStream instead of
// opening files itself, and records read errors, which mpv would otherwise
// take for the end of the media.
#include "platform/mci/element_stream.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

struct mpv_handle;
struct mpv_stream_cb_info;

namespace platform::mci {

class StreamBridge {
public:
    explicit StreamBridge(std::string element);
    StreamBridge(const StreamBridge&) = delete;
    StreamBridge& operator=(const StreamBridge&) = delete;

    // Opens the element now, so that a missing or unreadable file is told at
    // once; mpv's first open then takes this stream. 0 or an MCIERR_* code.
    MCIERROR OpenAhead();

    // Registers the bridge with `core`; the bridge must outlive the core.
    bool AttachTo(mpv_handle* core);

    // What mpv's loadfile is given.
    static const char* Url();

    // True once any read of the element has failed.
    bool ReadFailed() const { return state_->readFailed.load(); }

    // The read under way gives up as soon as its stream lets it, and every
    // later read and open fails at once, so that tearing the core down never
    // waits on the disc for long. Any thread.
    void Cancel();

    // What the bridge and the streams mpv holds share: mpv may close a
    // stream after the bridge has cancelled it, or the other way round.
    struct State {
        std::atomic<bool> readFailed{false};
        std::atomic<bool> cancelled{false};
        std::mutex mutex; // guards open
        std::vector<std::weak_ptr<MediaStream>> open;
    };

private:
    static int openForMpv(void* bridge, char* uri, mpv_stream_cb_info* info);

    const std::string element_;
    std::mutex mutex_; // guards ahead_, taken on mpv's thread
    std::unique_ptr<MediaStream> ahead_;
    const std::shared_ptr<State> state_;
};

} // namespace platform::mci
