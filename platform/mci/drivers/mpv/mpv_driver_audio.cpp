// The driver's entry points, audio channels and audio streams.
#include "platform/mci/drivers/mpv/audio_channels.h"
#include "platform/mci/drivers/mpv/mpv_driver.h"
#include "platform/mci/drivers/mpv/mpv_library.h"
#include "platform/mci/drivers/mpv/mpv_requests.h"

#include <algorithm>

namespace platform::mci {
std::optional<std::vector<DWORD>> MpvDriver::EntryPositions() const {
    if (!entries_)
        return std::vector<DWORD>{};
    const std::optional<std::vector<double>> times = entries_->Times();
    if (!times)
        return std::nullopt;
    std::vector<DWORD> positions;
    for (const double seconds : *times) {
        if (seconds <= lengthSeconds())
            positions.push_back(toUnits(seconds));
    }
    return positions;
}

MCIERROR MpvDriver::SetAudio(DWORD channel, bool on) {
    if (!hasAudio_)
        return MCIERR_UNSUPPORTED_FUNCTION;
    if (channel != MCI_SET_AUDIO_RIGHT)
        leftHeard_ = on;
    if (channel != MCI_SET_AUDIO_LEFT)
        rightHeard_ = on;
    const char* filter = ChannelFilter(leftHeard_, rightHeard_);
    int mute = !leftHeard_ && !rightHeard_ ? 1 : 0;
    Mpv().set_property_async(core_.get(), 0, "af", MPV_FORMAT_STRING, &filter);
    Mpv().set_property_async(core_.get(), 0, "mute", MPV_FORMAT_FLAG, &mute);
    return 0;
}

// mpv's track list says what is heard; a stream just chosen counts as heard
// at once, as the list that confirms it comes a moment later.
DWORD MpvDriver::AudioStreams() const {
    if (!hasAudio_)
        return 0;
    return static_cast<DWORD>(std::max<std::size_t>(audioTracks_.ids.size(), 1));
}

DWORD MpvDriver::AudioStream() const {
    return static_cast<DWORD>(std::max<std::size_t>(audioTracks_.selected, 1));
}

MCIERROR MpvDriver::SetAudioStream(DWORD stream) {
    if (stream < 1 || stream > AudioStreams())
        return MCIERR_OUTOFRANGE;
    if (stream > audioTracks_.ids.size() || stream == audioTracks_.selected)
        return 0;
    std::int64_t id = audioTracks_.ids[stream - 1];
    if (Mpv().set_property_async(core_.get(), audioStreamRequest, "aid", MPV_FORMAT_INT64, &id) < 0)
        return MCIERR_DRIVER_INTERNAL;
    audioTracks_.selected = stream;
    return 0;
}

} // namespace platform::mci
