#include "tests/support/HeadlessVideo.h"

#include "tests/support/Sandbox.h"
#include "tests/support/stand_ins/PlaybackStandIn.h"

#include "platform/mci/system_defaults.h"

void HeadlessVideoTest::SetUp() {
    Sandbox::ClearConfiguration();
    PlaybackStandIn::SetUntimedHeadless(true);
    platform::EnsureSystemDefaults();
}
