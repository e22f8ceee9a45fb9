#include "display/MediaPlayer.h"
#include "tests/support/PinnedErrorTexts.h"
#include "tests/support/ScriptedDriver.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QWidget>

#include <functional>

namespace {

std::string ErrorText(const std::function<void()>& action) {
    try {
        action();
    } catch (const EMCIDeviceError& error) {
        return error.what();
    }
    return "(no error)";
}

class MediaPlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ScriptedDriver::Install();
        player.OnNotify = [this] { notified.push_back(player.NotifyValue()); };
        player.SetDisplay(&display);
    }

    void OpenScripted() {
        player.FileName = "C:\\clips\\clip.scr";
        player.Open();
        QCoreApplication::processEvents();
    }
    ScriptedDriver& Driver() { return *ScriptedDriver::Latest(); }

    QWidget display;
    TMediaPlayer player;
    std::vector<platform::DWORD> notified;
};

TEST_F(MediaPlayerTest, WithoutAnOpenDeviceCommandsRaiseAndQueriesAnswerQuietly) {
    for (const auto& command : std::vector<std::function<void()>>{
             [&] { player.Play(); }, [&] { player.Stop(); }, [&] { player.Pause(); },
             [&] { player.TogglePause(); }, [&] { player.Resume(); },
             [&] { player.FrameStepForward(); }, [&] { player.FrameStepBack(); },
             [&] { player.Seek(5); }, [&] { player.Rewind(); }, [&] { player.Length(); },
             [&] { player.TimeFormat(); }})
        EXPECT_EQ(ErrorText(command), "No MCI device open");
    EXPECT_EQ(player.Mode(), dmNotReady);
    EXPECT_EQ(player.Position(), 0u);
    const platform::RECT none = player.DisplayRect();
    EXPECT_EQ(none.right, 0);
    player.Close();
    player.SetTimeFormat(platform::MCI_FORMAT_HMS);
    EXPECT_NE(player.LastError(), 0u);
}

TEST_F(MediaPlayerTest, AFailedOpenRaisesTheDevicesTextOrUnknownErrorCode) {
    player.FileName = "C:\\clips\\clip.nothing";
    const std::string text = ErrorText([&] { player.Open(); });
    EXPECT_EQ(text, PinnedErrorTexts::Of(platform::MCIERR_EXTENSION_NOT_FOUND));

    ScriptedDriver::NextOpenError = 0xFFFF;
    player.FileName = "C:\\clips\\clip.scr";
    EXPECT_EQ(ErrorText([&] { player.Open(); }), "Unknown error code");
    EXPECT_EQ(player.DeviceID(), 0u);
}

TEST_F(MediaPlayerTest, OpenShowsTheVideoInTheDisplayAndStepsATenthOfTheLength) {
    OpenScripted();
    EXPECT_NE(player.DeviceID(), 0u);
    EXPECT_TRUE(player.HasVideo());
    EXPECT_EQ(Driver().Window, &display);
    EXPECT_EQ(player.Length(), 250u) << "frames";
    EXPECT_EQ(player.StepFrames(), 25u);
    const platform::RECT natural = player.DisplayRect();
    EXPECT_EQ(natural.right, 352);
    EXPECT_EQ(natural.bottom, 288);
    EXPECT_TRUE(notified.empty()) << "no notification was asked for";
}

TEST_F(MediaPlayerTest, NotifyIsUsedUpByOneWaitingCommandAndPlayAlwaysNotifies) {
    OpenScripted();
    player.SetNotify(true);
    player.Seek(10);
    player.Seek(20);
    QCoreApplication::processEvents();
    EXPECT_EQ(notified, (std::vector<platform::DWORD>{platform::MCI_NOTIFY_SUCCESSFUL}));

    notified.clear();
    player.Play();
    QCoreApplication::processEvents();
    EXPECT_TRUE(notified.empty()) << "play notifies when it ends";
    Driver().Advance(250);
    QCoreApplication::processEvents();
    EXPECT_EQ(notified, (std::vector<platform::DWORD>{platform::MCI_NOTIFY_SUCCESSFUL}));
    EXPECT_EQ(player.Mode(), dmStopped);
}

TEST_F(MediaPlayerTest, PlayStartsAtTheStartPositionOnceAndRewindsAtTheEnd) {
    OpenScripted();
    player.SetStartPosition(100);
    player.Play();
    EXPECT_EQ(Driver().PositionFrames(), 100u);
    Driver().Advance(150);
    player.Play();
    EXPECT_EQ(Driver().PositionFrames(), 0u) << "at the end, play rewinds first";
    EXPECT_EQ(player.Mode(), dmPlaying);
}

TEST_F(MediaPlayerTest, TogglePauseAndResumeFallBackToPlay) {
    OpenScripted();
    player.Play();
    player.TogglePause();
    EXPECT_EQ(player.Mode(), dmPaused);
    player.TogglePause();
    EXPECT_EQ(player.Mode(), dmPlaying);
    player.Stop();
    player.Resume();
    EXPECT_EQ(player.Mode(), dmPlaying) << "a resume that fails plays instead";
}

TEST_F(MediaPlayerTest, StepsMoveByTheStepAndForwardAtTheEndRewindsFirst) {
    OpenScripted();
    player.Seek(100);
    player.FrameStepForward();
    EXPECT_EQ(Driver().PositionFrames(), 125u);
    player.FrameStepBack();
    player.FrameStepBack();
    EXPECT_EQ(Driver().PositionFrames(), 75u);
    player.Seek(250);
    player.FrameStepForward();
    EXPECT_EQ(Driver().PositionFrames(), 25u);
}

// A device that opens counting milliseconds still steps a tenth of the
// track: steps count frames, not the device's time units.
TEST_F(MediaPlayerTest, OnAMillisecondDeviceTheStepIsATenthOfTheTrackInFrames) {
    ScriptedDriver::NextMedia.opensInMilliseconds = true;
    OpenScripted();
    EXPECT_EQ(player.Length(), 10000u) << "milliseconds";
    EXPECT_EQ(player.StepFrames(), 25u);
    EXPECT_EQ(player.TimeFormat(), platform::MCI_FORMAT_MILLISECONDS) << "put back";
    Driver().SetPositionFrames(100);
    player.FrameStepForward();
    EXPECT_EQ(Driver().PositionFrames(), 125u);
    player.FrameStepBack();
    EXPECT_EQ(Driver().PositionFrames(), 100u);
}

TEST_F(MediaPlayerTest, AModeOutsideTheKnownOnesReadsAsNotReady) {
    OpenScripted();
    Driver().SetMode(platform::MCI_MODE_OPEN);
    EXPECT_EQ(player.Mode(), dmOpen);
    for (const platform::DWORD unknown : {platform::MCI_MODE_OPEN + 1, platform::DWORD{0}}) {
        Driver().SetMode(unknown);
        EXPECT_EQ(player.Mode(), dmNotReady) << unknown;
    }
}

} // namespace
