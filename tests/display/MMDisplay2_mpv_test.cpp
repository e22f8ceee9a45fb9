// The panel on the real video driver, playing a generated Video CD clip
// headless and untimed.
#include "display/MediaPlayer.h"
#include "tests/display/VideoPanelFixture.h"
#include "tests/support/EventLoop.h"
#include "tests/support/NotificationRecorder.h"
#include "tests/support/TestMedia.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class PanelOnVideoDriver : public VideoPanelTest {
protected:
    void SetUp() override {
        VideoPanelTest::SetUp();
        panel->OnStatusChanged = [this](QObject*) { statuses.push_back(panel->Status()); };
    }

    int Count(TMMStatus status) const {
        return static_cast<int>(std::count(statuses.begin(), statuses.end(), status));
    }

    std::vector<TMMStatus> statuses;
};

TEST_F(PanelOnVideoDriver, PlaysTheClipToItsEndThenClosesTheDeviceAndEndsTheTrackOnce) {
    panel->PlayFile(QString::fromStdString(TestMedia::PalVcdClip()));
    ASSERT_TRUE(RunEventsUntil([this] { return ended > 0; }));
    RunEventLoop(600); // a second end would show up here
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(panel->MediaPlayer()->DeviceID(), 0u);
    EXPECT_EQ(panel->Status(), mmNotReady);
    EXPECT_GE(Count(mmPlaying), 1);
}

TEST_F(PanelOnVideoDriver, ATrackOfMoreThanAMinuteEndsAtItsRealLength) {
    // The device is still open when its stop is reported, just before the
    // panel closes it.
    QString positionText;
    struct {
        platform::DWORD position = 0, length = 0;
    } atStop;
    panel->OnPositionChanged = [&](QObject*, const QString& text) { positionText = text; };
    panel->OnStatusChanged = [&](QObject*) {
        if (panel->Status() == mmStopped)
            atStop = {panel->MediaPlayer()->Position(), panel->MediaPlayer()->Length()};
    };
    panel->PlayFile(QString::fromStdString(TestMedia::LongPalVcdClip()));
    ASSERT_TRUE(RunEventsUntil([this] { return ended > 0; }));
    EXPECT_NEAR(double(atStop.length), 200000.0, 100.0) << "3:20 in milliseconds";
    EXPECT_EQ(atStop.position, atStop.length);
    EXPECT_TRUE(positionText.endsWith(" / 3:20")) << positionText.toStdString();
    EXPECT_EQ(ended, 1);
}

TEST_F(PanelOnVideoDriver, WithLoopOnTheClipPlaysAgainInsteadOfEnding) {
    // The end may be seen first by the position poll or by the device's stop
    // report; either way the clip must start over, and no stop need be shown.
    panel->Loop = true;
    panel->PlayFile(QString::fromStdString(TestMedia::PalVcdClip()));
    const platform::DWORD length = panel->MediaPlayer()->Length();
    platform::DWORD furthest = 0;
    const bool startedOver = RunEventsUntil([&] {
        const platform::DWORD position = panel->MediaPlayer()->Position();
        furthest = std::max(furthest, position);
        return furthest > length / 2 && position < furthest / 2;
    });
    ASSERT_TRUE(startedOver) << "furthest " << furthest << " of " << length;
    EXPECT_EQ(ended, 0);
    EXPECT_NE(panel->MediaPlayer()->DeviceID(), 0u);
    panel->Loop = false;
}

} // namespace
