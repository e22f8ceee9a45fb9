// The panel on the real video driver, playing a generated Video CD clip
// headless and untimed.
#include "display/MediaPlayer.h"
#include "display/MMDisplay2.h"
#include "tests/support/EventLoop.h"
#include "tests/support/NotificationRecorder.h"
#include "tests/support/Sandbox.h"
#include "tests/support/TestMedia.h"

#include "platform/mci/drivers/mpv/playback_mode.h"
#include "platform/system_defaults.h"

#include <gtest/gtest.h>
#include <QWidget>

namespace {

class PanelOnVideoDriver : public ::testing::Test {
protected:
    void SetUp() override {
        Sandbox::ClearConfiguration();
        platform::mci::SetUntimedHeadlessPlayback(true);
        platform::EnsureSystemDefaults();
        window.resize(802, 402);
        panel = new TMMDisplay2(&window);
        panel->setGeometry(0, 0, 800, 400);
        panel->OnStatusChanged = [this](QObject*) { statuses.push_back(panel->Status()); };
        panel->OnTrackEnded = [this](QObject*) { ++ended; };
    }

    int Count(TMMStatus status) const {
        return static_cast<int>(std::count(statuses.begin(), statuses.end(), status));
    }

    QWidget window;
    TMMDisplay2* panel = nullptr;
    std::vector<TMMStatus> statuses;
    int ended = 0;
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

TEST_F(PanelOnVideoDriver, WithLoopOnTheClipPlaysAgainInsteadOfEnding) {
    panel->Loop = true;
    panel->PlayFile(QString::fromStdString(TestMedia::PalVcdClip()));
    ASSERT_TRUE(RunEventsUntil([this] {
        return Count(mmStopped) >= 1 && !statuses.empty() && statuses.back() == mmPlaying;
    }));
    EXPECT_EQ(ended, 0);
    EXPECT_NE(panel->MediaPlayer()->DeviceID(), 0u);
    panel->Loop = false;
}

} // namespace
