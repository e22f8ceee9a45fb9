// Window placement against the user hive: what is written, and how stored
// texts of every shape are read back.
#include "system/FormPlacement.h"
#include "tests/support/DialogRecorder.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/Sandbox.h"

#include "platform/registry/TRegistry.h"
#include "platform/store/config_dir.h"
#include "platform/ui/WindowPlacement.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include <memory>
#include <sys/inotify.h>
#include <unistd.h>

namespace {

const std::string Section = "\\Quelvo Player\\Quelvo Player";

std::string Stored(const std::string& name) {
    platform::TRegistry registry(platform::KEY_READ);
    registry.SetRootKey(platform::HKEY_CURRENT_USER);
    return registry.OpenKeyReadOnly(Section) ? registry.ReadString(name) : std::string("<none>");
}

void Store(const std::string& name, const std::string& value) {
    platform::TRegistry registry;
    registry.SetRootKey(platform::HKEY_CURRENT_USER);
    ASSERT_TRUE(registry.OpenKey(Section, true));
    registry.WriteString(name, value);
}

// The suffix written out from the screen Qt reports, as a person would read
// it off the screen's settings: "(800x600)".
std::string ScreenSuffix() {
    const QSize size = QGuiApplication::primaryScreen()->geometry().size();
    return QStringLiteral("(%1x%2)").arg(size.width()).arg(size.height()).toStdString();
}

std::string PixelsPerInch() {
    return std::to_string(platform::ScreenPixelsPerInch());
}

class PlacementTest : public ::testing::Test {
protected:
    void SetUp() override {
        Sandbox::ClearConfiguration();
        window = std::make_unique<QWidget>();
        window->setGeometry(30, 40, 300, 200);
        placement = new TFormPlacement(window.get(), "Quelvo Player", "Quelvo Player");
    }
    void TearDown() override { platform::SetApplicationMainWindow(nullptr); }

    // Shown the way the main window is: the restore runs first.
    void Show() {
        placement->FormShowing();
        window->show();
        QCoreApplication::processEvents();
    }

    platform::RECT NormalRect() {
        platform::WINDOWPLACEMENT now;
        platform::GetWindowPlacement(window.get(), &now);
        return now.rcNormalPosition;
    }

    std::unique_ptr<QWidget> window;
    TFormPlacement* placement = nullptr;
};

TEST_F(PlacementTest, FirstRunCreatesTheEmptyTopKeyAndTheCloseWritesEveryValueInOrder) {
    Show();
    EXPECT_TRUE(placement->Restored());
    platform::TRegistry registry(platform::KEY_READ);
    registry.SetRootKey(platform::HKEY_CURRENT_USER);
    ASSERT_TRUE(registry.OpenKeyReadOnly("\\Quelvo Player"));
    EXPECT_FALSE(registry.KeyExists("Quelvo Player"));

    placement->FormCloseQueried();
    ASSERT_TRUE(registry.OpenKeyReadOnly(Section));
    const std::string suffix = ScreenSuffix();
    EXPECT_EQ(registry.GetValueNames(),
              (std::vector<std::string>{"FormVersion", "Flags", "ShowCmd", "PixelsPerInch",
                                        "MinMaxPos" + suffix, "MinMaxPos", "NormPos" + suffix,
                                        "NormPos", "Visible"}));
    const platform::RECT rect = NormalRect();
    const std::string normPos = std::to_string(rect.left) + "," + std::to_string(rect.top) + "," +
                                std::to_string(rect.right) + "," + std::to_string(rect.bottom);
    EXPECT_EQ(Stored("NormPos"), normPos);
    EXPECT_EQ(Stored("NormPos" + suffix), normPos);
    EXPECT_EQ(rect.right - rect.left, window->frameGeometry().width()) << "the outer frame";
    EXPECT_EQ(Stored("ShowCmd"), "1");
    EXPECT_EQ(Stored("FormVersion"), "0");
    EXPECT_EQ(Stored("PixelsPerInch"), PixelsPerInch());
    EXPECT_EQ(Stored("Visible"), "0");
    EXPECT_TRUE(placement->Saved());

    // The destruction saves nothing more.
    placement->FormDestroying();
    EXPECT_EQ(Stored("Visible"), "0");
}

// Counts the times a file in the settings folder is put in place by a rename,
// as every save does.
class SavesWatched {
public:
    SavesWatched() : FWatch(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        // Both ends of each rename: identical events in a row are merged into one.
        ::inotify_add_watch(FWatch, platform::store::ConfigDir().c_str(),
                            IN_MOVED_FROM | IN_MOVED_TO);
    }
    ~SavesWatched() { ::close(FWatch); }
    int SavesOf(const std::string& name) {
        alignas(inotify_event) char buffer[16384];
        for (ssize_t got; (got = ::read(FWatch, buffer, sizeof buffer)) > 0;) {
            for (char* at = buffer; at < buffer + got;) {
                const auto* event = reinterpret_cast<const inotify_event*>(at);
                if ((event->mask & IN_MOVED_TO) && event->len > 0 && name == event->name)
                    ++FSaves;
                at += sizeof(inotify_event) + event->len;
            }
        }
        return FSaves;
    }

private:
    int FWatch;
    int FSaves = 0;
};

TEST_F(PlacementTest, TheWholePlacementIsSavedInOneWrite) {
    Show();
    SavesWatched watched;
    placement->FormCloseQueried();
    EXPECT_EQ(watched.SavesOf("user.reg"), 1) << "a crash between two writes mixes two records";
    EXPECT_EQ(Stored("Visible"), "0");
}

TEST_F(PlacementTest, NothingIsSavedBeforeTheFirstRestoreWhileActive) {
    placement->StorePlacement();
    EXPECT_EQ(Stored("Flags"), "<none>");
    placement->Active = false;
    placement->FormDestroying();
    EXPECT_EQ(Stored("Flags"), "<none>");
    placement->StorePlacement(); // an explicit save while off does write
    EXPECT_EQ(Stored("ShowCmd"), "1");
    EXPECT_EQ(Stored("Visible"), "0");
}

TEST_F(PlacementTest, ADestructionWithoutASaveWritesVisible) {
    Show();
    placement->FormDestroying();
    EXPECT_EQ(Stored("Visible"), "1");
}

TEST_F(PlacementTest, StoredRectanglesOfEveryShapeAreReadAsTheUserLeftThem) {
    // -1: the window's own edge, as designed.
    struct Case {
        std::string normPos;
        platform::RECT expected;
    };
    for (const Case& c :
         {Case{"100,80,500,380", {100, 80, 500, 380}}, Case{"10 20 400 300", {10, 20, 400, 300}},
          Case{" 10 ,, 20 , 400,300", {10, 20, 400, 300}}, Case{"10,20", {10, 20, -1, -1}},
          Case{"10,20,x,300", {10, 20, -1, 300}}}) {
        SCOPED_TRACE(c.normPos);
        SetUp();
        // Once framed, so that the designed rectangle is the outer frame's.
        window->show();
        QCoreApplication::processEvents();
        window->hide();
        const platform::RECT designed = NormalRect();
        Store("NormPos", c.normPos);
        Store("PixelsPerInch", PixelsPerInch());
        Show();
        const platform::RECT rect = NormalRect();
        const auto edge = [](platform::LONG wanted, platform::LONG own) {
            return wanted == -1 ? own : wanted;
        };
        EXPECT_EQ(rect.left, edge(c.expected.left, designed.left));
        EXPECT_EQ(rect.top, edge(c.expected.top, designed.top));
        EXPECT_EQ(rect.right, edge(c.expected.right, designed.right));
        EXPECT_EQ(rect.bottom, edge(c.expected.bottom, designed.bottom));
    }
}

TEST_F(PlacementTest, ARectangleWithoutWidthIsIgnored) {
    Store("NormPos", "400,20,400,300");
    Show();
    EXPECT_NE(NormalRect().left, 400);
    EXPECT_EQ(window->width(), 300);
}

TEST_F(PlacementTest, TheCurrentScreenSizeWinsAndOtherSizesAreLeftAlone) {
    Store("NormPos(1x1)", "1,1,101,101");
    Store("NormPos", "20,20,220,220");
    Store("NormPos" + ScreenSuffix(), "50,60,450,360");
    Show();
    EXPECT_EQ(NormalRect().left, 50);

    SetUp();
    Store("NormPos(1x1)", "1,1,101,101");
    Store("NormPos", "20,20,220,220");
    Show();
    EXPECT_EQ(NormalRect().left, 20) << "the plain name stands for any screen size";
    placement->StorePlacement();
    EXPECT_EQ(Stored("NormPos(1x1)"), "1,1,101,101");
    EXPECT_EQ(Stored("NormPos" + ScreenSuffix()), "20,20,220,220");
}

TEST_F(PlacementTest, OtherPixelsPerInchKeepTheDesignedPlaceButTheStoredState) {
    const platform::RECT designed = NormalRect();
    Store("NormPos", "100,80,500,380");
    Store("PixelsPerInch", std::to_string(platform::ScreenPixelsPerInch() + 24));
    Store("ShowCmd", "3");
    Show();
    EXPECT_EQ(NormalRect().left, designed.left);
    EXPECT_TRUE(window->isMaximized());
}

TEST_F(PlacementTest, AMinimisedMainWindowStartsTheWholeApplicationMinimised) {
    platform::SetApplicationMainWindow(window.get());
    Store("ShowCmd", "2");
    placement->FormShowing();
    EXPECT_FALSE(window->isMinimized()) << "minimised only once the window is up";
    window->show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(window->isMinimized());
    EXPECT_TRUE(platform::IsIconic(platform::ApplicationWindow()));
    placement->StorePlacement();
    EXPECT_EQ(Stored("ShowCmd"), "2");
}

TEST_F(PlacementTest, AValueOfAnotherTypeStopsTheRestoreAndKeepsTheStoreAsItWas) {
    Store("NormPos", "100,80,500,380");
    Sandbox::StoreDword("Quelvo Player\\Quelvo Player", "Flags", 2);
    DialogRecorder dialogs;
    Show();
    ASSERT_EQ(dialogs.Shown.size(), 1);
    EXPECT_EQ(dialogs.Shown[0].Text, "Invalid data type for 'Flags'");
    EXPECT_FALSE(placement->Restored());
    placement->FormCloseQueried();
    EXPECT_EQ(Stored("NormPos"), "100,80,500,380") << "not overwritten";
    EXPECT_EQ(window->geometry().topLeft(), QPoint(30, 40)) << "nothing applied";
}

TEST_F(PlacementTest, AStoreThatCannotBeWrittenNamesTheKeyAndLeavesSavedUnset) {
    Show();
    Sandbox::BreakConfiguration();
    DialogRecorder dialogs;
    placement->FormCloseQueried();
    ASSERT_EQ(dialogs.Shown.size(), 1);
    EXPECT_EQ(dialogs.Shown[0].Text, "Failed to create key Quelvo Player");
    EXPECT_FALSE(placement->Saved());
}

} // namespace
