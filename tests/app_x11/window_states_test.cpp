// The main window's states under a real window manager: full screen and
// back, and a maximised or minimised close that the next start brings back.
#include "app/uMain.h"
#include "display/MMDisplay2.h"
#include "system/FormPlacement.h"
#include "tests/support/EventLoop.h"
#include "tests/support/NotificationRecorder.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/ScriptedDriver.h"

#include "platform/mci/system_defaults.h"
#include "tests/support/WindowManager.h"

#include "platform/registry/TRegistry.h"
#include "platform/ui/WindowPlacement.h"

#include <gtest/gtest.h>
#include <QComboBox>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

#include <memory>
#include <utility>

namespace {

std::string Stored(const std::string& name) {
    platform::TRegistry registry(platform::KEY_READ);
    registry.SetRootKey(platform::HKEY_CURRENT_USER);
    return registry.OpenKeyReadOnly("\\Quelvo Player\\Quelvo Player") ? registry.ReadString(name)
                                                                      : std::string();
}

class WindowStatesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { manager = new WindowManager(); }
    static void TearDownTestSuite() { delete manager; }

    void SetUp() override {
        ASSERT_TRUE(manager->Running()) << "openbox did not start";
        ScriptedDriver::Install();
        // As the program starts: the association check finds a configured system.
        platform::EnsureSystemDefaults();
    }

    void Start() {
        window = std::make_unique<TdlgMain>();
        window->show();
        ASSERT_TRUE(RunEventsUntil([this] { return window->windowHandle()->isExposed(); }));
        // Until the window manager has framed it.
        RunEventsUntil([this] { return window->frameGeometry() != window->geometry(); });
    }

    void OpenTrack() {
        window->cmbtrack->addItem("C:\\clips\\clip.scr");
        window->cmbtrack->setCurrentIndex(0);
        window->cmbtrackChange();
        QCoreApplication::processEvents();
        window->MMpanel->Timer()->blockSignals(true);
    }

    bool Settled(const std::function<bool()>& done) {
        const bool reached = RunEventsUntil(done);
        QTest::qWait(300); // the window manager's last configure events
        return reached;
    }

    testing::AssertionResult FrameSettlesAt(const QRect& expected) {
        if (Settled([&] { return window->frameGeometry() == expected; }))
            return testing::AssertionSuccess();
        const QRect frame = window->frameGeometry();
        return testing::AssertionFailure() << "the frame is at " << frame.x() << "," << frame.y()
                                           << " " << frame.width() << "x" << frame.height();
    }

    static inline WindowManager* manager = nullptr;
    std::unique_ptr<TdlgMain> window;
};

// First in this file: the program's first window is placed before any frame
// is known, and the window manager tells its frame without moving it.
TEST_F(WindowStatesTest, TheFirstWindowOfARunComesBackWithItsFrameAtTheStoredRectangle) {
    platform::TRegistry registry;
    registry.SetRootKey(platform::HKEY_CURRENT_USER);
    ASSERT_TRUE(registry.OpenKey("\\Quelvo Player\\Quelvo Player", true));
    const std::pair<const char*, const char*> stored[] = {{"FormVersion", "0"},
                                                          {"Flags", "0"},
                                                          {"ShowCmd", "1"},
                                                          {"PixelsPerInch", "96"},
                                                          {"NormPos", "100,80,700,480"}};
    for (const auto& [name, value] : stored)
        registry.WriteString(name, value);
    registry.CloseKey();

    Start();
    const QRect normal(100, 80, 600, 400);
    EXPECT_TRUE(FrameSettlesAt(normal));
}

TEST_F(WindowStatesTest, FullScreenAndBackReturnsToThePlacementAndRestartsTheTrack) {
    Start();
    window->move(120, 90);
    window->resize(600, 380);
    ASSERT_TRUE(Settled([this] { return window->frameGeometry().topLeft() == QPoint(120, 90); }));
    const QRect before = window->frameGeometry();
    OpenTrack();
    ScriptedDriver::Latest()->Advance(100);

    window->btnFullScreen->click();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    ASSERT_TRUE(Settled([&] { return window->geometry() == screen; })) << "not full screen";
    EXPECT_TRUE(window->isFullScreen());
    EXPECT_EQ(window->frameGeometry(), screen) << "no frame in full screen";
    EXPECT_EQ(ScriptedDriver::Latest()->PositionFrames(), 0u);

    ScriptedDriver::Latest()->Advance(100);
    QTest::keyRelease(window->windowHandle(), Qt::Key_Escape);
    ASSERT_TRUE(FrameSettlesAt(before)) << "after full screen";
    EXPECT_FALSE(window->isFullScreen());
    EXPECT_EQ(ScriptedDriver::Latest()->PositionFrames(), 0u);
}

TEST_F(WindowStatesTest, ClosingInFullScreenKeepsThePlacementSavedOnEntering) {
    Start();
    window->move(60, 50);
    ASSERT_TRUE(Settled([this] { return window->frameGeometry().topLeft() == QPoint(60, 50); }));
    OpenTrack();
    window->MMpanelDblClick();
    ASSERT_TRUE(Settled([this] { return window->isFullScreen(); }));
    const std::string saved = Stored("NormPos");
    EXPECT_EQ(saved.substr(0, 6), "60,50,");
    window->close();
    window.reset();
    EXPECT_EQ(Stored("NormPos"), saved);
    EXPECT_EQ(Stored("ShowCmd"), "1");

    Start();
    EXPECT_FALSE(window->isFullScreen());
    // Framed is not yet placed: the window manager may move the frame once more.
    EXPECT_TRUE(Settled([this] { return window->frameGeometry().topLeft() == QPoint(60, 50); }))
        << "the frame is at " << window->frameGeometry().x() << "," << window->frameGeometry().y();
}

TEST_F(WindowStatesTest, AMaximisedCloseComesBackMaximisedAndRestoresToItsRectangle) {
    Start();
    window->move(70, 40);
    window->resize(500, 300);
    ASSERT_TRUE(Settled([this] { return window->frameGeometry().topLeft() == QPoint(70, 40); }));
    const QRect normal = window->frameGeometry();
    window->showMaximized();
    ASSERT_TRUE(Settled([this] { return window->isMaximized(); }));
    window->close();
    window.reset();
    EXPECT_EQ(Stored("ShowCmd"), "3");

    Start();
    ASSERT_TRUE(Settled([this] { return window->isMaximized(); }));
    window->showNormal();
    EXPECT_TRUE(FrameSettlesAt(normal));
}

TEST_F(WindowStatesTest, AMinimisedCloseStartsMinimisedAndRestoresToItsRectangle) {
    Start();
    window->move(90, 60);
    window->resize(520, 320);
    ASSERT_TRUE(Settled([this] { return window->frameGeometry().topLeft() == QPoint(90, 60); }));
    const QRect normal = window->frameGeometry();
    window->showMinimized();
    ASSERT_TRUE(Settled([this] { return window->isMinimized(); }));
    window->close();
    window.reset();
    EXPECT_EQ(Stored("ShowCmd"), "2");

    window = std::make_unique<TdlgMain>();
    window->show();
    ASSERT_TRUE(Settled([this] { return window->isMinimized(); })) << "not minimised";
    EXPECT_TRUE(platform::IsIconic(platform::ApplicationWindow()));
    window->showNormal();
    EXPECT_TRUE(FrameSettlesAt(normal));
}

} // namespace
