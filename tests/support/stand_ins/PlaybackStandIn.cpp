// Defines the program's UntimedHeadlessPlayback, so that the linker takes
// this one, and never the program's, into every test executable (this file
// is linked into each one directly).
#include "tests/support/stand_ins/PlaybackStandIn.h"

#include "platform/mci/drivers/mpv/playback_mode.h"

namespace {

bool& untimedHeadless() {
    static bool on = false;
    return on;
}

} // namespace

namespace platform::mci {

bool UntimedHeadlessPlayback() {
    return untimedHeadless();
}

} // namespace platform::mci

namespace PlaybackStandIn {

void SetUntimedHeadless(bool on) {
    untimedHeadless() = on;
}

} // namespace PlaybackStandIn
