#pragma once
// What a media driver implements, and the table that names the drivers.
//
// A driver plays one element for one device. The device layer (mci.cpp)
// checks the records and flags, keeps the device IDs and does all the
// notification bookkeeping, so a driver only does the work and tells when a
// play has ended on its own. Every call comes on the GUI thread, and a driver
// calls back on the GUI thread only.
#include "platform/mci/mci.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform::mci {

enum class PlaybackEnd {
    reachedEnd, // the media ran to its end; the device stands stopped at its length
    failed,     // playback broke off (a read error); the device stands stopped
};

// The device's side, given to the driver when it is made.
class DriverEvents {
public:
    // A play (or resume) has ended without a command asking for it. May be
    // called inside one of the driver's own calls.
    virtual void PlaybackEnded(PlaybackEnd how) = 0;

protected:
    ~DriverEvents() = default;
};

// Positions and lengths are in the driver's current time format. Every call
// that returns MCIERROR gives 0 on success and leaves the driver as it was on
// failure. Queries are cheap: they are answered from what the driver already
// knows, never by waiting.
class Driver {
public:
    virtual ~Driver() = default;

    // Opens `element`; the call ends with the media loaded (or failed), its
    // length and natural size known, and the device stopped at the start.
    virtual MCIERROR Open(const std::string& element) = 0;

    virtual MCIERROR Play(std::optional<DWORD> from) = 0;
    virtual MCIERROR Pause() = 0;
    virtual MCIERROR Resume() = 0;
    virtual MCIERROR Stop() = 0;
    virtual MCIERROR Seek(DWORD to) = 0;
    virtual MCIERROR Step(DWORD frames, bool reverse) = 0;

    virtual DWORD Mode() const = 0; // one of MCI_MODE_*
    virtual DWORD Position() const = 0;
    virtual DWORD Length() const = 0;
    virtual DWORD TimeFormat() const = 0;
    virtual MCIERROR SetTimeFormat(DWORD format) = 0;

    virtual bool HasVideo() const = 0;
    virtual bool HasAudio() const = 0;

    // The positions of the element's entry points (chapters), ascending;
    // nothing while they are still being found out.
    virtual std::optional<std::vector<DWORD>> EntryPositions() const {
        return std::vector<DWORD>{};
    }
    // `channel` (MCI_SET_AUDIO_*) heard or not.
    virtual MCIERROR SetAudio(DWORD /*channel*/, bool /*on*/) {
        return MCIERR_UNSUPPORTED_FUNCTION;
    }
    // The element's audio streams (an SVCD may carry two), and the one heard,
    // counted from 1.
    virtual DWORD AudioStreams() const { return HasAudio() ? 1 : 0; }
    virtual DWORD AudioStream() const { return 1; }
    virtual MCIERROR SetAudioStream(DWORD stream) {
        return stream == 1 && HasAudio() ? 0 : MCIERR_OUTOFRANGE;
    }

    // Video placement; only asked of a driver with video.
    virtual MCIERROR SetWindow(HWND window) = 0;
    virtual MCIERROR PutDestination(const RECT& rect) = 0; // left, top, width, height
    virtual RECT Destination() const = 0;
    virtual RECT Source() const = 0;
};

using DriverFactory = std::function<std::unique_ptr<Driver>(DriverEvents& events)>;

// Adds a driver under `name` (as system.ini [MCI32] names it), replacing any
// driver of that name. Built-in: "mciqtz32.dll", the video driver.
void RegisterDriver(const std::string& name, DriverFactory factory);

// The factory registered under `name` (any letter case); empty when none.
DriverFactory FindDriver(const std::string& name);

} // namespace platform::mci
