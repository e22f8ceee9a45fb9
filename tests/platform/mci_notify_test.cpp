// The notification rules, which hold for every driver: shown on the
// scripted one, whose playback the test moves by hand.
#include "tests/platform/mci_commands.h"
#include "tests/platform/mci_scripted_fixture.h"
#include "tests/support/NotificationRecorder.h"

#include <memory>
#include <QCoreApplication>
#include <QWidget>

using namespace platform;
using namespace MciCommands;

namespace {

class Notifications : public ScriptedDevices {
protected:
    void SetUp() override {
        ScriptedDevices::SetUp();
        FDevice = OpenScripted();
    }

    std::vector<Notification> Only(DWORD result) const { return {{result, FDevice}}; }

    MCIDEVICEID FDevice = 0;
    NotificationRecorder FPlay, FOther;
};

TEST_F(Notifications, APlayNotifiesWhenTheMediaEnds) {
    ASSERT_EQ(Send(FDevice, MCI_PLAY, MCI_NOTIFY, FPlay.Window()), 0u);
    Driver().Advance(100);
    FPlay.Deliver();
    EXPECT_TRUE(FPlay.Received.empty());
    Driver().Advance(150);
    FPlay.Deliver();
    EXPECT_EQ(FPlay.Received, Only(MCI_NOTIFY_SUCCESSFUL));
    EXPECT_EQ(Status(FDevice, MCI_STATUS_MODE), MCI_MODE_STOP);
}

TEST_F(Notifications, AnyNotifyingCommandSupersedesThePendingPlay) {
    for (UINT message : {MCI_PLAY, MCI_PAUSE, MCI_RESUME, MCI_STATUS}) {
        SCOPED_TRACE(message);
        NotificationRecorder play, other;
        ASSERT_EQ(Send(FDevice, MCI_PLAY, MCI_NOTIFY, play.Window()), 0u);
        MCI_STATUS_PARMS record{other.Window(), 0, MCI_STATUS_MODE, 0};
        ASSERT_EQ(mciSendCommandA(FDevice, message, MCI_NOTIFY | MCI_STATUS_ITEM,
                                  reinterpret_cast<DWORD_PTR>(&record)),
                  0u);
        play.Deliver();
        other.Deliver();
        EXPECT_EQ(play.Received, Only(MCI_NOTIFY_SUPERSEDED));
        // A play or resume that asks for a notification waits for the end.
        const bool waits = message == MCI_PLAY || message == MCI_RESUME;
        EXPECT_EQ(other.Received,
                  waits ? std::vector<Notification>{} : Only(MCI_NOTIFY_SUCCESSFUL));
        ASSERT_EQ(Send(FDevice, MCI_STOP), 0u);
    }
}

TEST_F(Notifications, StopSeekAndStepAbortThePendingPlay) {
    for (UINT message : {MCI_STOP, MCI_SEEK, MCI_STEP}) {
        SCOPED_TRACE(message);
        NotificationRecorder play, other;
        ASSERT_EQ(Send(FDevice, MCI_PLAY, MCI_NOTIFY, play.Window()), 0u);
        const DWORD seekFlag = message == MCI_SEEK ? MCI_SEEK_TO_START : 0;
        ASSERT_EQ(Send(FDevice, message, MCI_WAIT | MCI_NOTIFY | seekFlag, other.Window()), 0u);
        play.Deliver();
        other.Deliver();
        EXPECT_EQ(play.Received, Only(MCI_NOTIFY_ABORTED));
        EXPECT_EQ(other.Received, Only(MCI_NOTIFY_SUCCESSFUL));
        EXPECT_NE(Status(FDevice, MCI_STATUS_MODE), MCI_MODE_PLAY);
    }
}

TEST_F(Notifications, PauseAndResumeWithoutNotifyCarryThePlayOn) {
    ASSERT_EQ(Send(FDevice, MCI_PLAY, MCI_NOTIFY, FPlay.Window()), 0u);
    ASSERT_EQ(Send(FDevice, MCI_PAUSE), 0u);
    Driver().Advance(1000); // a paused device does not move
    ASSERT_EQ(Send(FDevice, MCI_RESUME, 0), 0u);
    FPlay.Deliver();
    EXPECT_TRUE(FPlay.Received.empty());
    Driver().Advance(1000);
    FPlay.Deliver();
    EXPECT_EQ(FPlay.Received, Only(MCI_NOTIFY_SUCCESSFUL));
}

TEST_F(Notifications, ArePostedNeverSentAndAFailedCommandPostsNothing) {
    ASSERT_EQ(Send(FDevice, MCI_PLAY, MCI_NOTIFY, FPlay.Window()), 0u);
    MCI_SEEK_PARMS seek{FOther.Window(), 100000};
    EXPECT_EQ(
        mciSendCommandA(FDevice, MCI_SEEK, MCI_TO | MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&seek)),
        MCIERR_OUTOFRANGE);
    EXPECT_EQ(Send(FDevice, MCI_PLAY, MCI_WAIT | MCI_NOTIFY, FOther.Window()),
              MCIERR_UNSUPPORTED_FUNCTION)
        << "waiting for a play would freeze the window";
    ASSERT_EQ(Send(FDevice, MCI_PAUSE, MCI_NOTIFY, FOther.Window()), 0u);
    EXPECT_TRUE(FOther.Received.empty()) << "nothing arrives inside the call";
    FPlay.Deliver();
    FOther.Deliver();
    EXPECT_EQ(FPlay.Received, Only(MCI_NOTIFY_SUPERSEDED));
    EXPECT_EQ(FOther.Received, Only(MCI_NOTIFY_SUCCESSFUL));
}

TEST_F(Notifications, APlayThatCannotStartEndsAtOnceAndAReadErrorFails) {
    Driver().SetPositionFrames(250);
    ASSERT_EQ(Send(FDevice, MCI_PLAY, MCI_NOTIFY, FPlay.Window()), 0u);
    FPlay.Deliver();
    EXPECT_EQ(FPlay.Received, Only(MCI_NOTIFY_SUCCESSFUL));

    ASSERT_EQ(PlayFrom(FDevice, 10, FOther.Window()), 0u);
    Driver().FailPlayback();
    FOther.Deliver();
    EXPECT_EQ(FOther.Received, Only(MCI_NOTIFY_FAILURE));
    EXPECT_EQ(Status(FDevice, MCI_STATUS_MODE), MCI_MODE_STOP);
}

TEST_F(Notifications, AWindowGoneBeforeItsNotificationGetsNothing) {
    auto* gone = new NotificationRecorder;
    ASSERT_EQ(Send(FDevice, MCI_PLAY, MCI_NOTIFY, gone->Window()), 0u);
    delete gone;
    // Made at once, it most likely takes the gone window's memory: a device
    // that kept the bare address would post the play's end to it.
    const auto next = std::make_unique<NotificationRecorder>();
    Driver().Advance(250);
    next->Deliver();
    EXPECT_TRUE(next->Received.empty()) << "the gone window's notification reached another";
    ASSERT_EQ(Send(FDevice, MCI_PLAY, MCI_NOTIFY, 0), 0u) << "no window: nothing to post";
    QCoreApplication::processEvents();
}

TEST_F(Notifications, OpenAndCloseNotifyAndDeviceIdsAreNeverReused) {
    const Opened second = Open("second.scr", MCI_WAIT | MCI_NOTIFY, FOther.Window());
    ASSERT_EQ(second.error, 0u);
    EXPECT_NE(second.device, FDevice);
    ASSERT_EQ(Send(second.device, MCI_CLOSE, MCI_NOTIFY, FOther.Window()), 0u);
    const Opened third = Open("third.scr");
    ASSERT_EQ(third.error, 0u);
    FOpened.push_back(third.device);
    EXPECT_NE(third.device, second.device);
    FOther.Deliver();
    EXPECT_EQ(FOther.Received, (std::vector<Notification>{{MCI_NOTIFY_SUCCESSFUL, second.device},
                                                          {MCI_NOTIFY_SUCCESSFUL, second.device}}));
}

TEST_F(Notifications, VideoPlacementReachesTheDriverAndChecksItsWindow) {
    QWidget display;
    MCI_ANIM_WINDOW_PARMSA window{0, &display, 0, nullptr};
    ASSERT_EQ(mciSendCommandA(FDevice, MCI_WINDOW, MCI_ANIM_WINDOW_HWND,
                              reinterpret_cast<DWORD_PTR>(&window)),
              0u);
    EXPECT_EQ(Driver().Window, &display);
    auto* destroyed = new QWidget;
    delete destroyed;
    window.hWnd = destroyed;
    EXPECT_EQ(mciSendCommandA(FDevice, MCI_WINDOW, MCI_ANIM_WINDOW_HWND,
                              reinterpret_cast<DWORD_PTR>(&window)),
              MCIERR_NO_WINDOW);
    EXPECT_EQ(Driver().Window, &display);

    MCI_ANIM_RECT_PARMS put{0, {10, 20, 0, 0}};
    ASSERT_EQ(mciSendCommandA(FDevice, MCI_PUT, MCI_ANIM_RECT | MCI_ANIM_PUT_DESTINATION,
                              reinterpret_cast<DWORD_PTR>(&put)),
              0u);
    const RECT natural = Where(FDevice);
    EXPECT_EQ(std::vector<LONG>({natural.left, natural.top, natural.right, natural.bottom}),
              std::vector<LONG>({10, 20, 352, 288}))
        << "width and height 0: the natural size";
    EXPECT_EQ(Where(FDevice, MCI_ANIM_WHERE_SOURCE).right, 352);

    ScriptedDriver::NextMedia.hasVideo = false;
    const MCIDEVICEID sound = OpenScripted("sound");
    EXPECT_EQ(mciSendCommandA(sound, MCI_WHERE, MCI_ANIM_WHERE_DESTINATION,
                              reinterpret_cast<DWORD_PTR>(&put)),
              MCIERR_UNSUPPORTED_FUNCTION);
}

} // namespace
