// A Video CD track played by the media driver from a drive letter mapped to
// the image, as the player opens it: headless and untimed.
#include "platform/mci/mci.h"
#include "tests/platform/drives_test_support.h"
#include "tests/platform/mci_commands.h"
#include "tests/platform/mpv_device_fixture.h"
#include "tests/support/NotificationRecorder.h"
#include "tests/support/TestMedia.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <QTemporaryDir>

using namespace platform;
using namespace MciCommands;

namespace {

constexpr DWORD palFrames = 250; // 10 s at 25 fps

class DiscPlayback : public MpvDeviceTest {
protected:
    void SetUp() override {
        MpvDeviceTest::SetUp();
        FSources.mappings->stored['E'] = TestMedia::VcdImage().cue;
    }

    drives_test::ScopedDriveSources FSources;
};

TEST_F(DiscPlayback, ATrackFromTheImagePlaysToItsEnd) {
    const MCIDEVICEID device = OpenDevice("E:\\MPEGAV\\AVSEQ01.DAT");
    ASSERT_TRUE(device);
    EXPECT_EQ(Status(device, MCI_STATUS_LENGTH), palFrames);
    ASSERT_EQ(Send(device, MCI_PLAY, MCI_NOTIFY, FNotes.Window()), 0u);
    ASSERT_TRUE(FNotes.WaitFor(1));
    EXPECT_EQ(FNotes.Received, (std::vector<Notification>{{MCI_NOTIFY_SUCCESSFUL, device}}));
    EXPECT_EQ(Status(device, MCI_STATUS_MODE), MCI_MODE_STOP);
    EXPECT_EQ(Status(device, MCI_STATUS_POSITION), palFrames);
}

TEST_F(DiscPlayback, ASeekIntoATrackLandsWithinOneFrame) {
    const MCIDEVICEID device = OpenDevice("e:\\mpegav\\avseq01.dat");
    ASSERT_TRUE(device);
    for (const DWORD frame : {125u, 37u, 240u}) {
        ASSERT_EQ(SeekTo(device, frame), 0u);
        LetEventsArrive();
        const auto position = static_cast<long>(Status(device, MCI_STATUS_POSITION));
        EXPECT_LE(std::abs(position - long(frame)), 1) << "seek to " << frame;
    }
}

TEST_F(DiscPlayback, AnImageThatBreaksOffDuringPlaybackEndsItAsAFailure) {
    const TestMedia::CueBin vcd = TestMedia::VcdImage();
    QTemporaryDir folder;
    const std::string bin =
        folder.filePath(QString::fromStdString(std::filesystem::path(vcd.bin).filename().string()))
            .toStdString();
    std::filesystem::copy_file(vcd.bin, bin);
    std::filesystem::copy_file(vcd.cue, folder.filePath("vcd.cue").toStdString());
    FSources.mappings->stored['E'] = folder.filePath("vcd.cue").toStdString();

    const MCIDEVICEID device = OpenDevice("E:\\MPEGAV\\AVSEQ01.DAT");
    ASSERT_TRUE(device);
    std::filesystem::resize_file(bin, std::filesystem::file_size(bin) / 2);
    ASSERT_EQ(Send(device, MCI_PLAY, MCI_NOTIFY, FNotes.Window()), 0u);
    ASSERT_TRUE(FNotes.WaitFor(1));
    EXPECT_EQ(FNotes.Received, (std::vector<Notification>{{MCI_NOTIFY_FAILURE, device}}));
}

} // namespace
