// The video driver on real MPEG files, headless and untimed: every command
// the player sends, what each reports, and the notifications each posts.
#include "platform/diagnostics.h"
#include "platform/mci/element_stream.h"
#include "platform/mci/mci.h"
#include "tests/platform/mci_commands.h"
#include "tests/platform/mpv_device_fixture.h"
#include "tests/support/NotificationRecorder.h"
#include "tests/support/TestMedia.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <QCoreApplication>

using namespace platform;
using namespace MciCommands;

namespace {

constexpr DWORD palFrames = 250;  // 10 s at 25 fps
constexpr DWORD ntscFrames = 300; // 10 s at 29.97 fps

using MpvDevice = MpvDeviceTest;

TEST_F(MpvDevice, OpensWithLengthNaturalSizeAndCapabilitiesKnown) {
    struct Clip {
        std::string path;
        DWORD frames;
        LONG width, height;
    };
    for (const Clip& clip : {Clip{TestMedia::PalVcdClip(), palFrames, 384, 288},
                             Clip{TestMedia::NtscSvcdClip(), ntscFrames, 640, 480}}) {
        SCOPED_TRACE(clip.path);
        const MCIDEVICEID device = OpenDevice(clip.path);
        EXPECT_EQ(Status(device, MCI_STATUS_MODE), MCI_MODE_STOP);
        EXPECT_EQ(Status(device, MCI_STATUS_TIME_FORMAT), MCI_FORMAT_FRAMES);
        EXPECT_EQ(Status(device, MCI_STATUS_LENGTH), clip.frames);
        EXPECT_EQ(Status(device, MCI_STATUS_POSITION), 0u);
        // Display size: the picture's pixel aspect applied (SVCD 480x480 at 4:3).
        const RECT natural = Where(device);
        EXPECT_EQ(natural.left, 0);
        EXPECT_EQ(natural.top, 0);
        EXPECT_EQ(natural.right, clip.width);
        EXPECT_EQ(natural.bottom, clip.height);
        for (DWORD item : {MCI_GETDEVCAPS_HAS_VIDEO, MCI_GETDEVCAPS_HAS_AUDIO}) {
            MCI_GETDEVCAPS_PARMS caps{};
            caps.dwItem = item;
            EXPECT_EQ(mciSendCommandA(device, MCI_GETDEVCAPS, MCI_GETDEVCAPS_ITEM,
                                      reinterpret_cast<DWORD_PTR>(&caps)),
                      0u);
            EXPECT_EQ(caps.dwReturn, 1u) << "capability " << item;
        }
        EXPECT_EQ(Send(device, MCI_CLOSE), 0u);
        FDevice = 0;
    }
}

// A caller that asks for hours, minutes and seconds keeps a time it can
// show: the device opens counting milliseconds, whether or not it has
// pictures, and stays there when refused.
TEST_F(MpvDevice, OpensCountingMillisecondsAndKeepsThemWhenHmsIsRefused) {
    const Opened opened = Open(TestMedia::PalVcdClip());
    ASSERT_EQ(opened.error, 0u) << ErrorText(opened.error);
    FDevice = opened.device;
    EXPECT_EQ(Status(FDevice, MCI_STATUS_TIME_FORMAT), MCI_FORMAT_MILLISECONDS);
    EXPECT_NEAR(double(Status(FDevice, MCI_STATUS_LENGTH)), 10000.0, 50.0);
    EXPECT_EQ(SetTimeFormat(FDevice, MCI_FORMAT_HMS), MCIERR_BAD_TIME_FORMAT);
    EXPECT_EQ(Status(FDevice, MCI_STATUS_TIME_FORMAT), MCI_FORMAT_MILLISECONDS);
}

TEST_F(MpvDevice, PlaysToTheEndStoppedAtItsLengthAndNotifiesOnce) {
    const MCIDEVICEID device =
        OpenDevice(TestMedia::CopyAs(TestMedia::PalVcdClip(), "AVSEQ01.DAT"));
    ASSERT_EQ(Send(device, MCI_PLAY, MCI_NOTIFY, FNotes.Window()), 0u);
    EXPECT_EQ(Status(device, MCI_STATUS_MODE), MCI_MODE_PLAY);
    ASSERT_TRUE(FNotes.WaitFor(1));
    EXPECT_EQ(FNotes.Received, (std::vector<Notification>{{MCI_NOTIFY_SUCCESSFUL, device}}));
    EXPECT_EQ(Status(device, MCI_STATUS_MODE), MCI_MODE_STOP);
    EXPECT_EQ(Status(device, MCI_STATUS_POSITION), palFrames);

    // Nothing left to play: a play from here ends at once.
    ASSERT_EQ(Send(device, MCI_PLAY, MCI_NOTIFY, FNotes.Window()), 0u);
    ASSERT_TRUE(FNotes.WaitFor(2));
    EXPECT_EQ(FNotes.Received.back(), (Notification{MCI_NOTIFY_SUCCESSFUL, device}));
    LetEventsArrive();
    EXPECT_EQ(FNotes.Received.size(), 2u);
}

TEST_F(MpvDevice, PauseResumeAndStopNotifyAsTheInterfaceSays) {
    const MCIDEVICEID device = OpenDevice(TestMedia::PalVcdClip());
    NotificationRecorder play, pause, resume, stop;

    ASSERT_EQ(Send(device, MCI_PLAY, MCI_NOTIFY, play.Window()), 0u);
    ASSERT_EQ(Send(device, MCI_PAUSE, MCI_WAIT | MCI_NOTIFY, pause.Window()), 0u);
    EXPECT_EQ(Status(device, MCI_STATUS_MODE), MCI_MODE_PAUSE);
    ASSERT_TRUE(pause.WaitFor(1));
    play.Deliver();
    EXPECT_EQ(play.Received, (std::vector<Notification>{{MCI_NOTIFY_SUPERSEDED, device}}));
    EXPECT_EQ(pause.Received, (std::vector<Notification>{{MCI_NOTIFY_SUCCESSFUL, device}}));

    const DWORD_PTR pausedAt = Status(device, MCI_STATUS_POSITION);
    LetEventsArrive();
    EXPECT_EQ(Status(device, MCI_STATUS_MODE), MCI_MODE_PAUSE);
    EXPECT_EQ(Status(device, MCI_STATUS_POSITION), pausedAt) << "a paused device stands still";

    // The resume carries the play on to the end.
    ASSERT_EQ(Send(device, MCI_RESUME, MCI_NOTIFY, resume.Window()), 0u);
    ASSERT_TRUE(resume.WaitFor(1));
    EXPECT_EQ(resume.Received, (std::vector<Notification>{{MCI_NOTIFY_SUCCESSFUL, device}}));
    EXPECT_EQ(Status(device, MCI_STATUS_POSITION), palFrames);

    // Stop ends a play: its notification is aborted.
    ASSERT_EQ(Send(device, MCI_SEEK, MCI_WAIT | MCI_SEEK_TO_START), 0u);
    ASSERT_EQ(Send(device, MCI_PLAY, MCI_NOTIFY, play.Window()), 0u);
    ASSERT_EQ(Send(device, MCI_STOP, MCI_WAIT | MCI_NOTIFY, stop.Window()), 0u);
    EXPECT_EQ(Status(device, MCI_STATUS_MODE), MCI_MODE_STOP);
    ASSERT_TRUE(stop.WaitFor(1));
    play.Deliver();
    EXPECT_EQ(play.Received.back(), (Notification{MCI_NOTIFY_ABORTED, device}));
    EXPECT_EQ(stop.Received, (std::vector<Notification>{{MCI_NOTIFY_SUCCESSFUL, device}}));
    LetEventsArrive();
    EXPECT_EQ(play.Received.size(), 2u) << "nothing more once the play was aborted";
    EXPECT_EQ(Status(device, MCI_STATUS_MODE), MCI_MODE_STOP);
}

TEST_F(MpvDevice, SeeksExactlyAndReportsThePositionInFramesOrMilliseconds) {
    const MCIDEVICEID device = OpenDevice(TestMedia::PalVcdClip());
    ASSERT_EQ(SeekTo(device, 125), 0u);
    EXPECT_EQ(Status(device, MCI_STATUS_POSITION), 125u) << "the target, before mpv is there";
    LetEventsArrive();
    EXPECT_EQ(Status(device, MCI_STATUS_POSITION), 125u) << "mid-GOP seeks land on the frame";
    EXPECT_EQ(Status(device, MCI_STATUS_MODE), MCI_MODE_STOP);

    ASSERT_EQ(SetTimeFormat(device, MCI_FORMAT_MILLISECONDS), 0u);
    EXPECT_EQ(Status(device, MCI_STATUS_TIME_FORMAT), MCI_FORMAT_MILLISECONDS);
    // Frame 125 starts at 5 s plus the few milliseconds by which the clip's
    // pictures start after its sound.
    EXPECT_NEAR(double(Status(device, MCI_STATUS_POSITION)), 5000.0, 20.0);
    EXPECT_EQ(Status(device, MCI_STATUS_LENGTH) / 1000, 10u);

    // Seeks are in the current format too.
    ASSERT_EQ(SeekTo(device, 7000), 0u);
    ASSERT_EQ(SetTimeFormat(device, MCI_FORMAT_FRAMES), 0u);
    LetEventsArrive();
    EXPECT_EQ(Status(device, MCI_STATUS_POSITION), 175u);

    // Packed hours, minutes and seconds, and a CD's minutes, seconds and
    // frames, are refused; the device keeps counting frames.
    for (const DWORD format : {MCI_FORMAT_HMS, DWORD{2} /* MSF */}) {
        EXPECT_EQ(SetTimeFormat(device, format), MCIERR_BAD_TIME_FORMAT) << format;
        EXPECT_EQ(Status(device, MCI_STATUS_TIME_FORMAT), MCI_FORMAT_FRAMES);
    }
    EXPECT_EQ(SeekTo(device, palFrames + 1), MCIERR_OUTOFRANGE);
    EXPECT_EQ(Status(device, MCI_STATUS_POSITION), 175u);
}

TEST_F(MpvDevice, SoundWithoutPicturesCountsInMillisecondsOnly) {
    const MCIDEVICEID device = OpenDevice(TestMedia::ToneOnlyClip());
    EXPECT_EQ(Status(device, MCI_STATUS_TIME_FORMAT), MCI_FORMAT_MILLISECONDS);
    EXPECT_NEAR(double(Status(device, MCI_STATUS_LENGTH)), 3000.0, 50.0);
    for (const DWORD format : {MCI_FORMAT_HMS, MCI_FORMAT_FRAMES}) {
        EXPECT_EQ(SetTimeFormat(device, format), MCIERR_BAD_TIME_FORMAT) << format;
        EXPECT_EQ(Status(device, MCI_STATUS_TIME_FORMAT), MCI_FORMAT_MILLISECONDS);
    }
}

TEST_F(MpvDevice, StepsByFramesBothWaysAndStaysPaused) {
    const MCIDEVICEID device = OpenDevice(TestMedia::PalVcdClip());
    ASSERT_EQ(SeekTo(device, 100), 0u);
    ASSERT_EQ(Step(device, 25, false), 0u);
    EXPECT_EQ(Status(device, MCI_STATUS_POSITION), 125u);
    EXPECT_EQ(Status(device, MCI_STATUS_MODE), MCI_MODE_PAUSE);
    LetEventsArrive();
    EXPECT_EQ(Status(device, MCI_STATUS_POSITION), 125u);

    ASSERT_EQ(Step(device, 50, true), 0u);
    LetEventsArrive();
    EXPECT_EQ(Status(device, MCI_STATUS_POSITION), 75u);

    ASSERT_EQ(Step(device, 1000, true), 0u);
    EXPECT_EQ(Status(device, MCI_STATUS_POSITION), 0u) << "no further back than the start";

    // Forward onto the end: the resume that follows has nothing to play.
    ASSERT_EQ(Step(device, 1000, false), 0u);
    EXPECT_EQ(Status(device, MCI_STATUS_POSITION), palFrames);
    ASSERT_EQ(Send(device, MCI_RESUME, MCI_NOTIFY, FNotes.Window()), 0u);
    ASSERT_TRUE(FNotes.WaitFor(1));
    EXPECT_EQ(FNotes.Received.back(), (Notification{MCI_NOTIFY_SUCCESSFUL, device}));
    EXPECT_EQ(Status(device, MCI_STATUS_MODE), MCI_MODE_STOP);
}

TEST_F(MpvDevice, PlayFromAPositionRunsOnToTheEnd) {
    const MCIDEVICEID device = OpenDevice(TestMedia::NtscSvcdClip());
    ASSERT_EQ(PlayFrom(device, 200, FNotes.Window()), 0u);
    ASSERT_TRUE(FNotes.WaitFor(1));
    EXPECT_EQ(FNotes.Received, (std::vector<Notification>{{MCI_NOTIFY_SUCCESSFUL, device}}));
    EXPECT_EQ(Status(device, MCI_STATUS_POSITION), ntscFrames);
    EXPECT_EQ(PlayFrom(device, ntscFrames + 1), MCIERR_OUTOFRANGE);
}

TEST_F(MpvDevice, CloseAbortsAPendingPlayAndForgetsTheDevice) {
    const MCIDEVICEID device = OpenDevice(TestMedia::PalVcdClip());
    NotificationRecorder close;
    ASSERT_EQ(Send(device, MCI_PLAY, MCI_NOTIFY, FNotes.Window()), 0u);
    ASSERT_EQ(Send(device, MCI_CLOSE, MCI_WAIT | MCI_NOTIFY, close.Window()), 0u);
    FDevice = 0;
    ASSERT_TRUE(close.WaitFor(1));
    FNotes.Deliver();
    EXPECT_EQ(FNotes.Received, (std::vector<Notification>{{MCI_NOTIFY_ABORTED, device}}));
    EXPECT_EQ(close.Received, (std::vector<Notification>{{MCI_NOTIFY_SUCCESSFUL, device}}));
    MCI_STATUS_PARMS status{};
    status.dwItem = MCI_STATUS_MODE;
    EXPECT_EQ(
        mciSendCommandA(device, MCI_STATUS, MCI_STATUS_ITEM, reinterpret_cast<DWORD_PTR>(&status)),
        MCIERR_INVALID_DEVICE_ID);
}

TEST_F(MpvDevice, FilesThatCannotBePlayedFailToOpenWithTheirOwnErrorAndMpvSaysWhy) {
    std::vector<std::string> problems;
    const platform::ProblemSink previous =
        platform::SetProblemSink([&](const std::string& text) { problems.push_back(text); });
    EXPECT_EQ(Open("/nonexistent/AVSEQ01.DAT").error, MCIERR_FILE_NOT_FOUND);
    EXPECT_EQ(Open(TestMedia::TextFile("README.DAT", "This disc has no video.\n")).error,
              MCIERR_INVALID_FILE);
    EXPECT_EQ(Open(TestMedia::TextFile("EMPTY.MPG", "")).error, MCIERR_INVALID_FILE);
    platform::SetProblemSink(previous);
    // mpv's own words, named by the part of mpv that said them.
    EXPECT_TRUE(std::any_of(problems.begin(), problems.end(), [](const std::string& text) {
        return text.starts_with("mpv: [") && text.find("recogni") != std::string::npos;
    })) << ::testing::PrintToString(problems);
}

// A stream that reads like the clip until half-way, then fails every read.
class FailingHalfWay : public MediaStream {
public:
    explicit FailingHalfWay(std::unique_ptr<MediaStream> inner)
        : FInner(std::move(inner)), FLimit(FInner->Size() / 2) {}
    std::int64_t Read(char* buffer, std::uint64_t size) override {
        if (FOffset >= FLimit)
            return -1;
        const std::int64_t count = FInner->Read(
            buffer, std::min<std::uint64_t>(size, static_cast<std::uint64_t>(FLimit - FOffset)));
        FOffset += std::max<std::int64_t>(count, 0);
        return count;
    }
    bool Seek(std::int64_t offset) override {
        FOffset = offset;
        return FInner->Seek(offset);
    }
    std::int64_t Size() const override { return FInner->Size(); }

private:
    std::unique_ptr<MediaStream> FInner;
    std::int64_t FLimit;
    std::int64_t FOffset = 0;
};

TEST_F(MpvDevice, AReadErrorDuringPlaybackIsAFailureNotAnEnd) {
    const std::string clip = TestMedia::PalVcdClip();
    const mci::MediaOpener previous =
        mci::SetMediaOpener([](const std::string& element, std::unique_ptr<MediaStream>& stream) {
            mci::SetMediaOpener({}); // only the host files, underneath
            const MCIERROR error = mci::OpenMediaStream(element, stream);
            if (!error)
                stream = std::make_unique<FailingHalfWay>(std::move(stream));
            return error;
        });
    const MCIDEVICEID device = OpenDevice(clip);
    mci::SetMediaOpener(previous);
    ASSERT_EQ(Send(device, MCI_PLAY, MCI_NOTIFY, FNotes.Window()), 0u);
    ASSERT_TRUE(FNotes.WaitFor(1));
    EXPECT_EQ(FNotes.Received, (std::vector<Notification>{{MCI_NOTIFY_FAILURE, device}}));
    EXPECT_EQ(Status(device, MCI_STATUS_MODE), MCI_MODE_STOP);
}

} // namespace
