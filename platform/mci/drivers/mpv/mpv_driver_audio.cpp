// The driver's entry points and audio channels.
#include "platform/mci/drivers/mpv/audio_channels.h"
#include "platform/mci/drivers/mpv/mpv_driver.h"
#include "platform/mci/drivers/mpv/mpv_library.h"

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

} // namespace platform::mci
