// The toolbar's transport, position, loop, zoom and full-screen controls on
// a scripted device.
#include "app/uMain.h"
#include "display/MMDisplay2.h"
#include "system/FormPlacement.h"
#include "tests/support/DialogRecorder.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/ScriptedDriver.h"

#include "platform/mci/system_defaults.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>

#include <memory>

namespace {

// The panel counts in the device's frames: slider units here are frames.
const QString Track = "C:\\clips\\clip.scr";

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ScriptedDriver::Install();
        // As the program starts: the association check finds a configured system.
        platform::EnsureSystemDefaults();
        window = std::make_unique<TdlgMain>();
    }

    void OpenTrack(const QString& track = Track) {
        window->cmbtrack->addItem(track);
        window->cmbtrack->setCurrentIndex(0);
        window->cmbtrackChange();
        Deliver();
        // The test runs the polls itself.
        window->MMpanel->Timer()->blockSignals(true);
        Tick();
    }
    void Deliver() { QCoreApplication::processEvents(); }
    void Tick() {
        window->MMpanel->TimerTick();
        Deliver();
    }
    ScriptedDriver& Driver() { return *ScriptedDriver::Latest(); }

    QString Pressed() const {
        QString looks;
        for (QToolButton* button : {window->btnplay, window->btnpause, window->btnstop})
            looks += button->isChecked() ? 'X' : '-';
        return looks;
    }

    std::unique_ptr<TdlgMain> window;
};

TEST_F(ControlsTest, StateButtonsLabelAndSliderFollowThePanel) {
    OpenTrack();
    Driver().Advance(50);
    Tick();
    EXPECT_EQ(Pressed(), "X--");
    EXPECT_EQ(window->lblmmstatus->text(), " 50 / 250 frames ");
    EXPECT_EQ(window->trkmm->maximum(), window->MMpanel->Length());
    EXPECT_EQ(window->trkmm->value(), window->MMpanel->Position());

    window->btnpause->click();
    Deliver();
    EXPECT_EQ(Pressed(), "-X-");

    window->btnstop->click();
    Deliver();
    EXPECT_EQ(Pressed(), "--X");
    EXPECT_EQ(window->lblmmstatus->text(), " - ");
    EXPECT_EQ(window->trkmm->value(), 0);
    EXPECT_FALSE(window->Updating);
}

TEST_F(ControlsTest, PositionFollowsWithoutAMessageWhenTheTrackListEmptied) {
    OpenTrack();
    window->cmbtrack->clear(); // a failed rescan while the old disc plays on
    Driver().Advance(100);
    Tick();
    EXPECT_EQ(window->lblmmstatus->text(), " 100 / 250 frames ");
    EXPECT_EQ(window->trkmm->value(), window->MMpanel->Position());
}

TEST_F(ControlsTest, MovingTheSliderSeeksButTheWindowsOwnMovesDoNot) {
    ScriptedDriver::NextMedia.lengthFrames = 60;
    OpenTrack();
    const auto seeks = [this] {
        return std::count(Driver().Calls.begin(), Driver().Calls.end(), "seek");
    };
    const auto seeksAtStart = seeks();
    Driver().Advance(10);
    Tick();
    EXPECT_EQ(window->trkmm->maximum(), 60);
    EXPECT_EQ(window->trkmm->value(), 10);
    EXPECT_EQ(seeks(), seeksAtStart);

    window->trkmm->setValue(30); // as the keyboard or a drag would
    EXPECT_EQ(Driver().PositionFrames(), 30u);
    EXPECT_EQ(Driver().Calls.back(), "play");
}

TEST_F(ControlsTest, TickFrequencyIsATwentiethOfTheLength) {
    for (const auto& [length, ticks] : {std::pair{19, 0}, std::pair{2000, 100}}) {
        ScriptedDriver::NextMedia.lengthFrames = length;
        window->cmbtrack->clear();
        OpenTrack(QStringLiteral("C:\\clips\\%1.scr").arg(length));
        Driver().Advance(1);
        Tick();
        EXPECT_EQ(window->trkmm->tickInterval(), ticks)
            << length << " " << window->MMpanel->Length();
    }
}

TEST_F(ControlsTest, PlayRestartsAPlayingTrackAndReopensAnEndedOne) {
    OpenTrack();
    Driver().Advance(100);
    window->btnplay->click();
    Deliver();
    EXPECT_EQ(Driver().PositionFrames(), 0u);
    EXPECT_EQ(window->MMpanel->Status(), mmPlaying);

    Driver().Advance(250); // to the end: the panel closes the device
    Tick();
    ASSERT_EQ(ScriptedDriver::Latest(), nullptr);
    window->btnplay->click();
    Deliver();
    ASSERT_NE(ScriptedDriver::Latest(), nullptr);
    EXPECT_EQ(Driver().Element, Track.toStdString());
    EXPECT_EQ(window->MMpanel->Status(), mmPlaying);
}

TEST_F(ControlsTest, TransportButtonsStepAndUpdatingHoldsUserRequests) {
    OpenTrack();
    window->btnff->click();
    window->btnrw->click();
    EXPECT_EQ(Driver().Calls.back(), "resume");
    EXPECT_NE(std::find(Driver().Calls.begin(), Driver().Calls.end(), "step back"),
              Driver().Calls.end());

    const std::size_t calls = Driver().Calls.size();
    window->Updating = true;
    window->btnplayClick();
    window->btnpauseClick();
    window->btnstopClick();
    window->trkmm->setValue(3);
    EXPECT_EQ(Driver().Calls.size(), calls);
    EXPECT_TRUE(window->StatusResyncPending) << "pause and stop still ask for a re-sync";
}

TEST_F(ControlsTest, AnEmptyTrackListRefusesMediaControlsButNotLoopOrZoom) {
    DialogRecorder dialogs;
    for (QToolButton* button : {window->btnplay, window->btnpause, window->btnstop, window->btnrw,
                                window->btnff, window->btnFullScreen})
        button->click();
    window->trkmm->setValue(5);
    window->MMpanelDblClick();
    Deliver();
    EXPECT_EQ(dialogs.Shown.size(), 8);
    for (const platform::DialogRequest& shown : dialogs.Shown)
        EXPECT_EQ(shown.Text, "Please insert a valid VCD file.");
    EXPECT_FALSE(window->btnFullScreen->isChecked()) << "the refused request is put back";
    EXPECT_FALSE(window->isFullScreen());

    window->btnLoop->click();
    EXPECT_TRUE(window->MMpanel->Loop);
    window->btnLoop->click();
    EXPECT_FALSE(window->MMpanel->Loop);
    window->cmbzoom->setCurrentIndex(6);
    window->cmbzoomChange();
    EXPECT_EQ(window->MMpanel->Zoom(), 400);
    EXPECT_FALSE(window->MMpanel->StretchToFit());
    EXPECT_EQ(dialogs.Shown.size(), 8);
}

TEST_F(ControlsTest, DoubleClickGoesFullScreenAndEscComesBackEachTimeFromTheStart) {
    window->show(); // scans, and finds no drive
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    OpenTrack();
    Driver().Advance(100);

    QTest::mouseDClick(window->MMpanel, Qt::LeftButton);
    Deliver();
    EXPECT_TRUE(window->btnFullScreen->isChecked());
    EXPECT_TRUE(window->isFullScreen());
    EXPECT_TRUE(window->Toolbar971->isHidden());
    EXPECT_FALSE(window->FormPlacement1->Active);
    Tick();
    EXPECT_EQ(Driver().PositionFrames(), 0u);
    EXPECT_EQ(window->MMpanel->Status(), mmPlaying);

    Driver().Advance(100);
    QTest::keyRelease(window->windowHandle(), Qt::Key_Escape);
    Deliver();
    EXPECT_FALSE(window->btnFullScreen->isChecked());
    EXPECT_FALSE(window->isFullScreen());
    EXPECT_FALSE(window->Toolbar971->isHidden());
    EXPECT_TRUE(window->FormPlacement1->Active);
    EXPECT_EQ(Driver().PositionFrames(), 0u);

    QTest::keyRelease(window->windowHandle(), Qt::Key_Escape);
    Deliver();
    EXPECT_FALSE(window->isFullScreen()) << "Esc outside full screen does nothing";
}

// A failed rescan empties the list while the old track plays on: the user
// can still pause, seek and stop it; only with nothing open is the empty
// list refused.
TEST_F(ControlsTest, AfterAFailedRescanTheOpenTrackCanStillBePausedMovedAndStopped) {
    OpenTrack();
    Driver().Advance(10);
    Tick();
    window->cmbtrack->clear();
    DialogRecorder dialogs;

    window->btnpause->click();
    Deliver();
    EXPECT_EQ(window->MMpanel->Status(), mmPaused);
    window->btnpause->click();
    Tick(); // a resume is reported by the next poll
    EXPECT_EQ(window->MMpanel->Status(), mmPlaying);
    window->btnff->click();
    EXPECT_EQ(Driver().PositionFrames(), 35u);
    window->btnrw->click();
    EXPECT_EQ(Driver().PositionFrames(), 10u);
    window->trkmm->setValue(200);
    EXPECT_EQ(Driver().PositionFrames(), 200u);
    window->btnstop->click();
    Deliver();
    EXPECT_EQ(window->MMpanel->Status(), mmNotReady) << "stopped and closed";
    EXPECT_TRUE(dialogs.Shown.empty());

    window->btnpause->click();
    window->btnplay->click();
    Deliver();
    ASSERT_EQ(dialogs.Shown.size(), 2);
    EXPECT_EQ(dialogs.Shown[1].Text, "Please insert a valid VCD file.");
}

// Tracks of real length on a device that counts milliseconds, as the video
// driver does.
class LongTrackTest : public ControlsTest {
protected:
    static constexpr platform::DWORD FramesPerMinute = 25 * 60;
    void OpenMinutes(platform::DWORD lengthFrames) {
        ScriptedDriver::NextMedia.lengthFrames = lengthFrames;
        ScriptedDriver::NextMedia.opensInMilliseconds = true;
        OpenTrack();
    }
};

TEST_F(LongTrackTest, PositionReadsInMinutesAndSecondsAndTheSliderStepsInProportion) {
    OpenMinutes(75 * FramesPerMinute);
    Driver().Advance(FramesPerMinute + 5 * 25);
    Tick();
    EXPECT_EQ(window->lblmmstatus->text(), " 1:05 / 75:00 ");
    EXPECT_EQ(window->trkmm->maximum(), 4500000);
    EXPECT_EQ(window->trkmm->singleStep(), 45000) << "1 % of the track";
    EXPECT_EQ(window->trkmm->pageStep(), 450000) << "10 % of the track";

    window->trkmm->setFocus();
    QTest::keyClick(window->trkmm, Qt::Key_Right);
    EXPECT_EQ(Driver().PositionFrames(), (65000u + 45000u) / 40u);
    QTest::keyClick(window->trkmm, Qt::Key_PageUp);
    EXPECT_EQ(Driver().PositionFrames(), (65000u + 45000u + 450000u) / 40u);
    QTest::keyClick(window->trkmm, Qt::Key_Left);
    EXPECT_EQ(Driver().PositionFrames(), (65000u + 450000u) / 40u);
}

TEST_F(LongTrackTest, FastForwardAndRewindStepATenthOfTheTrack) {
    OpenMinutes(75 * FramesPerMinute);
    Driver().Advance(10 * FramesPerMinute);
    window->btnff->click();
    EXPECT_EQ(Driver().PositionFrames(), 17 * FramesPerMinute + FramesPerMinute / 2);
    window->btnrw->click();
    window->btnrw->click();
    EXPECT_EQ(Driver().PositionFrames(), 2 * FramesPerMinute + FramesPerMinute / 2);
}

// At the designed size, with the longest position a Video CD can show, no
// item of the toolbar hides behind its extension button. Also run at scale 2.
TEST_F(LongTrackTest, TheToolbarShowsEveryItemAtTheDesignedSizeWithTheLongestPosition) {
    window->show(); // scans, and finds no drive
    window->resize(849, 480);
    OpenMinutes(80 * FramesPerMinute - 1); // 79:59.96
    Driver().Advance(80 * FramesPerMinute - 2);
    Tick();
    ASSERT_EQ(window->lblmmstatus->text(), " 79:59 / 79:59 ");
    QApplication::processEvents();

    QToolBar* toolbar = window->Toolbar971;
    for (QAction* action : toolbar->actions()) {
        QWidget* item = toolbar->widgetForAction(action);
        ASSERT_NE(item, nullptr);
        EXPECT_TRUE(item->isVisible())
            << item->toolTip().toStdString() << " " << item->metaObject()->className();
        EXPECT_TRUE(toolbar->rect().contains(item->geometry())) << item->toolTip().toStdString();
    }
    const auto* more = toolbar->findChild<QToolButton*>("qt_toolbar_ext_button");
    EXPECT_TRUE(more == nullptr || !more->isVisible()) << "the toolbar's extension button shows";
}

TEST_F(ControlsTest, NoMenuOffersToHideTheToolbar) {
    window->show();
    EXPECT_EQ(window->createPopupMenu(), nullptr);
    bool menuShown = false;
    QTimer::singleShot(0, [&menuShown] {
        if (QWidget* menu = QApplication::activePopupWidget()) {
            menuShown = true;
            menu->close();
        }
    });
    const QPoint at(5, 5);
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, at, window->Toolbar971->mapToGlobal(at));
    QApplication::sendEvent(window->Toolbar971, &rightClick);
    QApplication::processEvents();
    EXPECT_FALSE(menuShown);
    EXPECT_TRUE(window->Toolbar971->isVisible());
}

} // namespace
