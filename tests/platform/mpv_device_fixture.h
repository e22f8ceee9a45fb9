#pragma once
// One device of the real video driver at a time, headless and untimed, closed
// again after the test, with a window for its notifications.
#include "platform/mci/mci.h"
#include "tests/support/HeadlessVideo.h"
#include "tests/support/NotificationRecorder.h"

#include <string>

class MpvDeviceTest : public HeadlessVideoTest {
protected:
    void TearDown() override;

    // Opens `element` the way the player does; the test fails when it cannot.
    // The device then counts in frames where it can, as these tests do.
    platform::MCIDEVICEID OpenDevice(const std::string& element);

    // Lets mpv's events arrive for a while, so that whatever the driver
    // reports afterwards comes from what mpv said, not from what was asked,
    // and so that what must not happen has had its chance to.
    static void LetEventsArrive();

    platform::MCIDEVICEID FDevice = 0;
    NotificationRecorder FNotes;
};
