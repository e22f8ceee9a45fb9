#include "tests/display/PanelFixture.h"

#include "display/MediaPlayer.h"
#include "tests/support/DialogRecorder.h"
#include "tests/support/PinnedErrorTexts.h"

#include "platform/mci/mci.h"
#include "platform/profile/profile.h"

#include <QTimer>

namespace {

int Count(const std::vector<QString>& events, const QString& wanted) {
    return static_cast<int>(std::count(events.begin(), events.end(), wanted));
}

TEST_F(PanelTest, PlayingIsReportedOnceWhileOtherStatesAreReportedEachTime) {
    PlayScripted();
    Driver().Advance(10);
    Tick();
    Tick();
    EXPECT_EQ(Count(events, "status 2"), 1);
    EXPECT_EQ(panel->Status(), mmPlaying);

    events.clear();
    panel->Pause();
    Deliver();
    EXPECT_GE(Count(events, "status 3"), 1);
    const int pausedReports = Count(events, "status 3");
    panel->Pause(); // resumes
    Deliver();
    panel->Pause();
    Deliver();
    EXPECT_EQ(Count(events, "status 3"), 2 * pausedReports)
        << "a repeated paused report fires again";
}

TEST_F(PanelTest, FifteenStillPollsAreToleratedAndTheSixteenthStops) {
    PlayScripted();
    for (int poll = 1; poll <= 15; ++poll)
        Tick();
    EXPECT_EQ(panel->Status(), mmPlaying);
    EXPECT_EQ(Count(events, "ended"), 0);
    Tick();
    EXPECT_EQ(Count(events, "ended"), 1);
    EXPECT_EQ(ScriptedDriver::Latest(), nullptr) << "the stalled device was closed";
}

TEST_F(PanelTest, PausedPollsNeitherCountNorResetTheStall) {
    PlayScripted();
    for (int poll = 0; poll < 10; ++poll)
        Tick();
    panel->Pause();
    Deliver();
    for (int poll = 0; poll < 10; ++poll)
        Tick();
    EXPECT_EQ(panel->StallCount(), 10);
    panel->Pause();
    Deliver();
    Tick();
    EXPECT_EQ(panel->StallCount(), 11);
    Driver().Advance(25); // one second: the position text's unit
    Tick();
    EXPECT_EQ(panel->StallCount(), 0);
}

TEST_F(PanelTest, StopWithLoopOnEndsTheTrackWithoutLooping) {
    panel->Loop = true;
    PlayScripted();
    Driver().Advance(50);
    panel->Stop();
    Deliver();
    EXPECT_EQ(Count(events, "ended"), 1);
    EXPECT_EQ(ScriptedDriver::Latest(), nullptr);
    EXPECT_EQ(panel->Status(), mmNotReady);
}

TEST_F(PanelTest, TheEndWithLoopOnPlaysAgainWithoutEndingTheTrack) {
    panel->Loop = true;
    PlayScripted();
    ScriptedDriver& driver = Driver();
    driver.Advance(250);
    Deliver();
    EXPECT_EQ(Count(events, "ended"), 0);
    EXPECT_EQ(driver.Mode(), platform::MCI_MODE_PLAY);
    EXPECT_EQ(driver.PositionFrames(), 0u);
}

TEST_F(PanelTest, TheEndWithLoopOffClosesTheDeviceAndEndsTheTrackOnce) {
    PlayScripted();
    Driver().Advance(250);
    Deliver();
    Tick();
    EXPECT_EQ(Count(events, "ended"), 1);
    EXPECT_EQ(ScriptedDriver::Latest(), nullptr);
}

TEST_F(PanelTest, PlayResumesAPauseRestartsPlaybackAndReopensAfterStop) {
    PlayScripted();
    Driver().Advance(100);
    panel->Pause();
    Deliver();
    panel->Play();
    Deliver();
    EXPECT_EQ(Driver().Calls.back(), "resume");
    EXPECT_EQ(Driver().PositionFrames(), 100u);

    panel->Play();
    Deliver();
    EXPECT_EQ(Driver().PositionFrames(), 0u) << "play while playing starts again";

    panel->Stop();
    Deliver();
    ASSERT_EQ(ScriptedDriver::Latest(), nullptr);
    panel->Play();
    Deliver();
    EXPECT_EQ(Driver().Calls, (std::vector<std::string>{"open", "seek", "play"}));
    EXPECT_EQ(Driver().Element, "C:\\clips\\clip.scr");
}

TEST_F(PanelTest, PositionTextsFollowTheDevicesTimeFormat) {
    // Three hundred minutes on a millisecond device: minutes wrap above 255.
    ASSERT_TRUE(
        platform::WritePrivateProfileStringA("MCI Extensions", "mid", "Scripted", "win.ini"));
    ScriptedDriver::NextMedia.lengthFrames = 300 * 60 * 25;
    PlayScripted("C:\\music\\long.mid");
    Driver().Advance(100);
    Tick();
    EXPECT_EQ(events.back(), "position 0:04 / 44:00");

    // Hours on a device that counts in packed hours, minutes and seconds.
    ScriptedDriver::NextMedia.lengthFrames = (3600 + 5 * 60 + 7) * 25;
    ScriptedDriver::NextMedia.offersHms = true;
    PlayScripted();
    Driver().Advance((5 * 60 + 7) * 25);
    Tick();
    EXPECT_EQ(events.back(), "position 5:07 / 1:05:07");
}

TEST_F(PanelTest, ATrackOfThreeMinutesTwentyPlaysOnUntilItsLastFrame) {
    ScriptedDriver::NextMedia.lengthFrames = 200 * 25;
    PlayScripted();
    for (int second = 1; second < 200; ++second) {
        Driver().Advance(25);
        Tick();
    }
    EXPECT_EQ(Count(events, "ended"), 0);
    EXPECT_EQ(events.back(), "position 4975 / 5000 frames");
    Driver().Advance(25);
    Deliver();
    Tick();
    EXPECT_EQ(Count(events, "ended"), 1);
}

TEST_F(PanelTest, AFailedOpenIsShownWithABeepAndPlayReportsNoDevice) {
    ScriptedDriver::NextOpenError = platform::MCIERR_INVALID_FILE;
    DialogRecorder dialogs;
    const std::string expected = PinnedErrorTexts::Of(platform::MCIERR_INVALID_FILE);
    try {
        panel->PlayFile("C:\\clips\\broken.scr");
        FAIL() << "PlayFile should have failed";
    } catch (const EMCIDeviceError& error) {
        EXPECT_STREQ(error.what(), "No MCI device open");
    }
    ASSERT_EQ(dialogs.Shown.size(), 1);
    EXPECT_EQ(dialogs.Shown[0].Text, QString::fromStdString(expected));
    EXPECT_EQ(dialogs.Shown[0].Icon, platform::DialogIcon::None);
    EXPECT_EQ(dialogs.Beeps, 1);

    ASSERT_TRUE(panel->Timer()->isActive());
    panel->Timer()->blockSignals(true);
    Tick();
    EXPECT_FALSE(panel->Timer()->isActive()) << "the first poll finds no device and stops";
}

TEST_F(PanelTest, TheSameFileIsOpenedAgainAfterAFailedOpen) {
    ScriptedDriver::NextOpenError = platform::MCIERR_INVALID_FILE;
    DialogRecorder dialogs;
    EXPECT_THROW(panel->PlayFile("C:\\clips\\clip.scr"), EMCIDeviceError);
    ScriptedDriver::NextOpenError = 0;
    panel->PlayFile("C:\\clips\\clip.scr");
    EXPECT_EQ(dialogs.Shown.size(), 1u) << "only the first open failed";
    EXPECT_EQ(Driver().Mode(), platform::MCI_MODE_PLAY);
}

TEST_F(PanelTest, SeekingPlaysFromThereOnlyWhileActive) {
    panel->SetPosition(100);
    PlayScripted();
    panel->SetPosition(100);
    Deliver();
    EXPECT_EQ(Driver().PositionFrames(), 100u);
    EXPECT_EQ(Driver().Mode(), platform::MCI_MODE_PLAY);
}

} // namespace
