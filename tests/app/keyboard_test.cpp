// The main window from the keyboard and through its accessible names: the
// window's own keys act through the toolbar's handlers and leave a focused
// list its keys.
#include "app/uMain.h"
#include "display/MMDisplay2.h"
#include "tests/support/DialogRecorder.h"
#include "tests/support/ScriptedDriver.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace {

class KeyboardTest : public ::testing::Test {
protected:
    void SetUp() override {
        ScriptedDriver::Install();
        window = std::make_unique<TdlgMain>();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->cmbtrack->addItem(QStringLiteral("C:\\clips\\clip.scr"));
        window->cmbtrack->setCurrentIndex(0);
        window->cmbtrackChange();
        QCoreApplication::processEvents();
        window->MMpanel->Timer()->blockSignals(true);
        window->MMpanel->TimerTick();
        QCoreApplication::processEvents();
    }

    // How many of the driver's calls so far are `call`.
    long Count(const std::string& call) const {
        const auto& calls = ScriptedDriver::Latest()->Calls;
        return std::count(calls.begin(), calls.end(), call);
    }

    // A stop lets the device go, so the panel's status tells it.
    bool Stopped() const {
        const TMMStatus status = window->MMpanel->Status();
        return status == mmStopped || status == mmNotReady;
    }

    void Key(QWidget* focus, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(focus, key, modifiers);
        QCoreApplication::processEvents();
        window->MMpanel->TimerTick();
        QCoreApplication::processEvents();
    }

    // The start-up association check may ask; these tests are not about it.
    DialogRecorder dialogs{platform::DialogButton::No};
    std::unique_ptr<TdlgMain> window;
};

TEST_F(KeyboardTest, TheFocusStartsOnThePanelWhereTheWindowsKeysDriveTheTransport) {
    EXPECT_EQ(window->focusWidget(), window->MMpanel);
    Key(window->MMpanel, Qt::Key_Right);
    EXPECT_EQ(Count("step"), 1);
    Key(window->MMpanel, Qt::Key_Left);
    EXPECT_EQ(Count("step back"), 1);

    const long pauses = Count("pause");
    Key(window->MMpanel, Qt::Key_Space);
    EXPECT_EQ(Count("pause"), pauses + 1);
    EXPECT_TRUE(window->btnpause->isChecked());
}

TEST_F(KeyboardTest, AFocusedSliderOrListKeepsTheKeysItUses) {
    window->trkmm->setMaximum(250);
    window->trkmm->setFocus();
    Key(window->trkmm, Qt::Key_Right);
    EXPECT_EQ(Count("step"), 0);
    EXPECT_EQ(window->trkmm->value(), 1) << "the slider moved instead";

    const long pauses = Count("pause");
    window->cmbtrack->setFocus();
    Key(window->cmbtrack, Qt::Key_Space);
    EXPECT_EQ(Count("pause"), pauses) << "Space opens the list rather than pausing";
    window->cmbtrack->hidePopup();
}

TEST_F(KeyboardTest, FGoesFullScreenAndCtrlQCloses) {
    Key(window->MMpanel, Qt::Key_F);
    EXPECT_TRUE(window->btnFullScreen->isChecked());
    EXPECT_TRUE(window->isFullScreen());
    Key(window->MMpanel, Qt::Key_F);
    EXPECT_FALSE(window->isFullScreen());

    Key(window->MMpanel, Qt::Key_Q);
    EXPECT_TRUE(window->isVisible()) << "Q alone is no exit";
    Key(window->MMpanel, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(KeyboardTest, EveryControlHasANameAndKeepsItsHintAsDescription) {
    const std::pair<QWidget*, QString> named[] = {
        {window->btnplay, "Play"},
        {window->btnff, "Fast forward"},
        {window->btnFullScreen, "Full screen"},
        {window->ToolbarButton9710, "Rescan"},
        {window->trkmm, "Position"},
    };
    for (const auto& [control, name] : named) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
        ASSERT_NE(accessible, nullptr) << name.toStdString();
        EXPECT_EQ(accessible->text(QAccessible::Name), name);
        EXPECT_EQ(accessible->text(QAccessible::Description), control->toolTip());
        EXPECT_FALSE(control->toolTip().isEmpty());
    }
}

TEST_F(KeyboardTest, TabVisitsTheToolbarInItsOrderAndSpacePressesTheFocusedButton) {
    // The designed width: a narrower window folds the end of the toolbar away.
    window->resize(849, 480);
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    const QWidget* const order[] = {
        window->cmbcd,
        window->cmbtrack,
        window->ToolbarButton9710,
        window->btnrw,
        window->btnff,
        window->btnplay,
        window->btnpause,
        window->btnstop,
        window->trkmm,
        window->btnLoop,
        window->cmbzoom,
        window->btnFullScreen,
        window->ToolbarButton971,
        window->ToolbarButton976,
        window->ToolbarButton975,
        window->MMpanel,
    };
    window->MMpanel->setFocus();
    for (const QWidget* expected : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), expected)
            << expected->accessibleName().toStdString();
    }

    const std::pair<QToolButton*, const char*> presses[] = {
        {window->btnpause, "pause"},
        {window->btnrw, "step back"},
    };
    for (const auto& [button, call] : presses) {
        const long before = Count(call);
        button->setFocus();
        Key(button, Qt::Key_Space);
        EXPECT_EQ(Count(call), before + 1) << call;
    }
    window->btnLoop->setFocus();
    Key(window->btnLoop, Qt::Key_Space);
    EXPECT_TRUE(window->MMpanel->Loop);
    window->btnstop->setFocus();
    Key(window->btnstop, Qt::Key_Space);
    EXPECT_TRUE(Stopped());
}

// A screen reader or a switch device presses the buttons through their
// accessible actions; the handlers must run as for a click, also for the
// buttons that stay down, whose toggle the toolkit would only show.
TEST_F(KeyboardTest, AccessiblePressAndToggleRunTheClickHandlers) {
    const auto act = [this](QWidget* button, const QString& action) {
        QAccessibleActionInterface* actions =
            QAccessible::queryAccessibleInterface(button)->actionInterface();
        ASSERT_NE(actions, nullptr);
        ASSERT_TRUE(actions->actionNames().contains(action))
            << actions->actionNames().join(',').toStdString();
        actions->doAction(action);
        QTest::qWait(300); // the press is shown before it acts
        window->MMpanel->TimerTick();
        QCoreApplication::processEvents();
    };
    const QString press = QAccessibleActionInterface::pressAction();
    const QString toggle = QAccessibleActionInterface::toggleAction();

    act(window->btnpause, toggle);
    EXPECT_EQ(Count("pause"), 1);
    EXPECT_TRUE(window->btnpause->isChecked());
    EXPECT_FALSE(window->btnplay->isChecked());

    act(window->btnplay, press);
    EXPECT_EQ(Count("resume") + Count("play"), 2) << "one play to start, one to resume";
    EXPECT_TRUE(window->btnplay->isChecked());

    act(window->btnLoop, toggle);
    EXPECT_TRUE(window->MMpanel->Loop);
    act(window->btnLoop, press);
    EXPECT_FALSE(window->MMpanel->Loop);

    act(window->btnff, press);
    EXPECT_EQ(Count("step"), 1);

    act(window->btnstop, toggle);
    EXPECT_TRUE(Stopped());
    EXPECT_TRUE(window->btnstop->isChecked());
}

TEST_F(KeyboardTest, ListsReadAsWhatTheyChooseWithTheirEntryAsValue) {
    const std::pair<QComboBox*, QString> lists[] = {
        {window->cmbcd, "Drive"}, {window->cmbtrack, "Track"}, {window->cmbzoom, "Zoom"}};
    for (const auto& [list, name] : lists) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(list);
        EXPECT_EQ(accessible->role(), QAccessible::ComboBox);
        EXPECT_EQ(accessible->text(QAccessible::Name), name);
        EXPECT_EQ(accessible->text(QAccessible::Value), list->currentText());
        EXPECT_EQ(accessible->text(QAccessible::Description), list->toolTip());
    }

    QAccessibleInterface* tracks = QAccessible::queryAccessibleInterface(window->cmbtrack);
    ASSERT_EQ(tracks->childCount(), 1);
    QAccessibleInterface* entries = tracks->child(0);
    EXPECT_EQ(entries->parent(), tracks);
    EXPECT_EQ(tracks->indexOfChild(entries), 0);
}

} // namespace
