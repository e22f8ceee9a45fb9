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
#include <QComboBox>
#include <QCoreApplication>
#include <QSlider>
#include <QTest>
#include <QTimer>
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

} // namespace
