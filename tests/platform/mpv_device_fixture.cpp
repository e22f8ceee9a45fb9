#include "tests/platform/mpv_device_fixture.h"

#include "tests/platform/mci_commands.h"
#include "tests/support/EventLoop.h"

using namespace MciCommands;

void MpvDeviceTest::TearDown() {
    if (FDevice) {
        EXPECT_EQ(Send(FDevice, platform::MCI_CLOSE), 0u);
    }
}

platform::MCIDEVICEID MpvDeviceTest::OpenDevice(const std::string& element) {
    const Opened opened = Open(element);
    EXPECT_EQ(opened.error, 0u) << ErrorText(opened.error);
    SetTimeFormat(opened.device, platform::MCI_FORMAT_FRAMES); // refused without pictures
    return FDevice = opened.device;
}

void MpvDeviceTest::LetEventsArrive() {
    RunEventLoop(300);
}
