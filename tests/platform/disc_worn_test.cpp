// A Video CD track of real length (3 min 20 s) played from an image seen
// through a FUSE mirror that fails or stalls chosen sectors, as a scratched
// disc and a drive that retries do: a scratch is skipped and the track plays
// to its end, a long unreadable run ends it as a failure, a close during a
// stalled read does not wait for the disc, and folder reads that the drive
// does not answer fail instead of holding the caller.
#include "platform/files/files.h"
#include "platform/mci/mci.h"
#include "tests/platform/drives_test_support.h"
#include "tests/platform/mci_commands.h"
#include "tests/platform/mpv_device_fixture.h"
#include "tests/support/FaultMirror.h"
#include "tests/support/ProblemRecorder.h"
#include "tests/support/TestMedia.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace platform;
using namespace MciCommands;

namespace {

constexpr DWORD longFrames = 5000; // 200 s at 25 fps
constexpr int sectorsPerSecond = 75;

class WornDisc : public MpvDeviceTest {
protected:
    void SetUp() override {
        MpvDeviceTest::SetUp();
        const std::filesystem::path cue = TestMedia::LongVcdImage().cue;
        bin = std::filesystem::path(TestMedia::LongVcdImage().bin).filename().string();
        trackStart = TrackStartSector(cue.string(), 2);
        ASSERT_GT(trackStart, 0);
        mirror = std::make_unique<FaultMirror>(cue.parent_path().string());
        if (!mirror->Unavailable().empty())
            GTEST_SKIP() << "no fault injection here: " << mirror->Unavailable();
        image = mirror->Path(cue.filename().string());
        sources.mappings->stored['E'] = image;
    }
    void TearDown() override {
        MpvDeviceTest::TearDown();
        FDevice = 0;
        mirror.reset();
    }

    int SectorAt(int seconds) const { return trackStart + seconds * sectorsPerSecond; }

    // Plays track 1 from the start; the notification it ends with.
    Notification PlayToItsEnd(MCIDEVICEID device) {
        EXPECT_EQ(Send(device, MCI_PLAY, MCI_NOTIFY, FNotes.Window()), 0u);
        EXPECT_TRUE(FNotes.WaitFor(1));
        return FNotes.Received.empty() ? Notification{0, 0} : FNotes.Received.front();
    }

    drives_test::ScopedDriveSources sources;
    std::unique_ptr<FaultMirror> mirror;
    std::string bin;
    std::string image;
    int trackStart = 0;
};

TEST_F(WornDisc, AScratchIsSkippedWithOneLineAndTheTrackPlaysToItsEnd) {
    ProblemRecorder problems;
    mirror->FailSectors(bin, SectorAt(20), 8);
    mirror->FailSectors(bin, SectorAt(90), 40);
    const MCIDEVICEID device = OpenDevice("E:\\MPEGAV\\AVSEQ01.DAT");
    EXPECT_EQ(PlayToItsEnd(device), (Notification{MCI_NOTIFY_SUCCESSFUL, device}));
    EXPECT_EQ(Status(device, MCI_STATUS_POSITION), longFrames);
    const std::vector<std::string> skipped = problems.Containing("cannot be read; skipped");
    ASSERT_EQ(skipped.size(), 2u);
    for (const std::string& line : skipped)
        EXPECT_TRUE(line.starts_with(image + ": sectors ")) << line;
}

TEST_F(WornDisc, AnUnreadableRunOfMoreThanFiveSecondsEndsTheTrackAsAFailure) {
    ProblemRecorder problems;
    mirror->FailSectors(bin, SectorAt(30), 10 * sectorsPerSecond);
    const MCIDEVICEID device = OpenDevice("E:\\MPEGAV\\AVSEQ01.DAT");
    EXPECT_EQ(PlayToItsEnd(device), (Notification{MCI_NOTIFY_FAILURE, device}));
    EXPECT_EQ(problems.Containing("the track ends there").size(), 1u);
}

TEST_F(WornDisc, AClosedDeviceDoesNotWaitForAReadStalledOnTheDisc) {
    mirror->StallSectors(bin, SectorAt(20), 4, 60);
    const MCIDEVICEID device = OpenDevice("E:\\MPEGAV\\AVSEQ01.DAT");
    ASSERT_EQ(Send(device, MCI_PLAY, MCI_NOTIFY, FNotes.Window()), 0u);
    ASSERT_TRUE(mirror->WaitForStall());
    EXPECT_EQ(Send(device, MCI_CLOSE), 0u);
    FDevice = 0;
    EXPECT_FALSE(mirror->StallAnswered()) << "the close waited for the disc";

    // Another device plays as ever meanwhile.
    FNotes.Deliver(); // the first device's play, aborted by its close
    FNotes.Received.clear();
    const MCIDEVICEID next = OpenDevice(TestMedia::PalVcdClip());
    EXPECT_EQ(PlayToItsEnd(next), (Notification{MCI_NOTIFY_SUCCESSFUL, next}));
    EXPECT_FALSE(mirror->StallAnswered());
}

TEST_F(WornDisc, FoldersTheDriveDoesNotAnswerForAreNotThere) {
    mirror->StallSectors(bin, 0, trackStart, 60);
    EXPECT_EQ(GetFileAttributesA("E:\\MPEGAV\\"), INVALID_FILE_ATTRIBUTES);
    // Asked again while the first read still hangs in the drive.
    WIN32_FIND_DATAA found{};
    EXPECT_EQ(FindFirstFileA("E:\\MPEGAV\\*.DAT", &found), INVALID_HANDLE_VALUE);
    EXPECT_FALSE(mirror->StallAnswered());
}

} // namespace
