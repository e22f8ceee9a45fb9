#include "tests/support/HeadlessVideo.h"

#include "tests/support/Sandbox.h"

#include "platform/mci/drivers/mpv/playback_mode.h"
#include "platform/mci/system_defaults.h"

void HeadlessVideoTest::SetUp() {
    Sandbox::ClearConfiguration();
    platform::mci::SetUntimedHeadlessPlayback(true);
    platform::EnsureSystemDefaults();
}
