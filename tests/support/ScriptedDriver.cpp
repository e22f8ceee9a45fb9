#include "tests/support/ScriptedDriver.h"

#include "platform/mci/time_format.h"
#include "platform/profile/profile.h"
#include "tests/support/Sandbox.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace platform;

namespace {
ScriptedDriver* latest = nullptr;
} // namespace

void ScriptedDriver::Register(const std::string& driverName) {
    mci::RegisterDriver(driverName, [](mci::DriverEvents& events) {
        return std::make_unique<ScriptedDriver>(events);
    });
}

void ScriptedDriver::Install() {
    Sandbox::ClearConfiguration();
    Register("scripted.drv");
    NextMedia = {};
    NextOpenError = 0;
    ASSERT_TRUE(WritePrivateProfileStringA("MCI Extensions", "scr", "Scripted", "win.ini"));
    ASSERT_TRUE(WritePrivateProfileStringA("MCI32", "Scripted", "scripted.drv", "system.ini"));
}

ScriptedDriver* ScriptedDriver::Latest() {
    return latest;
}

ScriptedDriver::ScriptedDriver(mci::DriverEvents& events) : FEvents(events) {
}

ScriptedDriver::~ScriptedDriver() {
    if (latest == this)
        latest = nullptr;
}

DWORD ScriptedDriver::toUnits(DWORD frames) const {
    const double seconds = frames / FMedia.framesPerSecond;
    if (FTimeFormat == MCI_FORMAT_HMS) {
        const auto whole = static_cast<DWORD>(seconds);
        return MCI_MAKE_HMS(whole / 3600, whole / 60 % 60, whole % 60);
    }
    return mci::SecondsToUnits(seconds, FTimeFormat, FMedia.framesPerSecond);
}

DWORD ScriptedDriver::toFrames(DWORD units) const {
    const double seconds =
        FTimeFormat == MCI_FORMAT_HMS
            ? MCI_HMS_HOUR(units) * 3600.0 + MCI_HMS_MINUTE(units) * 60.0 + MCI_HMS_SECOND(units)
            : mci::UnitsToSeconds(units, FTimeFormat, FMedia.framesPerSecond);
    return static_cast<DWORD>(std::llround(seconds * FMedia.framesPerSecond));
}

void ScriptedDriver::endPlay(mci::PlaybackEnd how) {
    FMode = MCI_MODE_STOP;
    FEvents.PlaybackEnded(how);
}

void ScriptedDriver::Advance(DWORD frames) {
    if (FMode != MCI_MODE_PLAY)
        return;
    FPosition = std::min(FPosition + frames, FMedia.lengthFrames);
    if (FPosition == FMedia.lengthFrames)
        endPlay(mci::PlaybackEnd::reachedEnd);
}

void ScriptedDriver::FailPlayback() {
    endPlay(mci::PlaybackEnd::failed);
}

MCIERROR ScriptedDriver::Open(const std::string& element) {
    Calls.push_back("open");
    if (NextOpenError)
        return NextOpenError;
    Element = element;
    FMedia = NextMedia;
    FMode = MCI_MODE_STOP;
    FTimeFormat = FMedia.hasVideo && !FMedia.opensInMilliseconds ? MCI_FORMAT_FRAMES
                                                                 : MCI_FORMAT_MILLISECONDS;
    FDestination = Source();
    latest = this;
    return 0;
}

MCIERROR ScriptedDriver::Play(std::optional<DWORD> from) {
    Calls.push_back("play");
    if (from) {
        if (*from > Length())
            return MCIERR_OUTOFRANGE;
        FPosition = toFrames(*from);
    }
    if (FPosition >= FMedia.lengthFrames)
        endPlay(mci::PlaybackEnd::reachedEnd);
    else
        FMode = MCI_MODE_PLAY;
    return 0;
}

MCIERROR ScriptedDriver::Pause() {
    Calls.push_back("pause");
    if (FMode == MCI_MODE_PLAY)
        FMode = MCI_MODE_PAUSE;
    return 0;
}

MCIERROR ScriptedDriver::Resume() {
    Calls.push_back("resume");
    if (FMode == MCI_MODE_PAUSE)
        FMode = MCI_MODE_PLAY;
    return FMode == MCI_MODE_PLAY ? 0 : MCIERR_NONAPPLICABLE_FUNCTION;
}

MCIERROR ScriptedDriver::Stop() {
    Calls.push_back("stop");
    FMode = MCI_MODE_STOP;
    return 0;
}

MCIERROR ScriptedDriver::Seek(DWORD to) {
    Calls.push_back("seek");
    if (to > Length())
        return MCIERR_OUTOFRANGE;
    FPosition = toFrames(to);
    FMode = MCI_MODE_STOP;
    return 0;
}

MCIERROR ScriptedDriver::Step(DWORD frames, bool reverse) {
    Calls.push_back(reverse ? "step back" : "step");
    const auto target = static_cast<long long>(FPosition) + (reverse ? -1LL : 1LL) * frames;
    FPosition = static_cast<DWORD>(std::clamp<long long>(target, 0, FMedia.lengthFrames));
    FMode = MCI_MODE_PAUSE;
    return 0;
}

DWORD ScriptedDriver::Position() const {
    return toUnits(FPosition);
}

DWORD ScriptedDriver::Length() const {
    return toUnits(FMedia.lengthFrames);
}

MCIERROR ScriptedDriver::SetTimeFormat(DWORD format) {
    if (format != MCI_FORMAT_MILLISECONDS && !(format == MCI_FORMAT_FRAMES && FMedia.hasVideo) &&
        !(format == MCI_FORMAT_HMS && FMedia.offersHms))
        return MCIERR_BAD_TIME_FORMAT;
    FTimeFormat = format;
    return 0;
}

MCIERROR ScriptedDriver::SetWindow(HWND window) {
    Window = window;
    return 0;
}

MCIERROR ScriptedDriver::PutDestination(const RECT& rect) {
    FDestination = rect;
    if (rect.right == 0 && rect.bottom == 0)
        FDestination = {rect.left, rect.top, FMedia.width, FMedia.height};
    return 0;
}

RECT ScriptedDriver::Source() const {
    return {0, 0, FMedia.width, FMedia.height};
}
