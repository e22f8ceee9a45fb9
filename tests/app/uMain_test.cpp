#include "app/uMain.h"
#include "display/MMDisplay2.h"
#include "system/SettingsStore.h"
#include "tests/support/DialogRecorder.h"
#include "tests/support/EventLoop.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/Sandbox.h"
#include "windows/uLogging.h"

#include "platform/mci/system_defaults.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QSlider>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <memory>

namespace {

const std::string Product = "Quelvo Player";

std::string Stored(const std::string& name) {
    return LoadSetting(Product, "", name);
}

void Store(const std::string& name, const std::string& value) {
    SaveSetting(Product, "", name, value);
}

class MainWindowTest : public ::testing::Test {
protected:
    // A first run on a fresh system, whose media associations are right.
    void SetUp() override {
        Sandbox::ClearConfiguration();
        platform::EnsureSystemDefaults();
    }

    void Start() {
        window = std::make_unique<TdlgMain>();
        log = std::make_unique<TdlgLog>();
    }

    QStringList DriveItems() const {
        QStringList items;
        for (int i = 0; i < window->cmbcd->count(); ++i)
            items << window->cmbcd->itemText(i);
        return items;
    }

    QStringList LogLines() const { return log->Memo1->toPlainText().split('\n'); }

    std::unique_ptr<TdlgMain> window;
    std::unique_ptr<TdlgLog> log;
};

TEST_F(MainWindowTest, FirstRunUsesDefaultsAndCloseWritesTheThreeSettings) {
    Start();
    EXPECT_EQ(window->windowTitle(), "Quelvo Player v1.30");
    EXPECT_EQ(window->cmbzoom->currentIndex(), 5);
    EXPECT_EQ(window->MMpanel->DefaultZoom, 200);
    EXPECT_EQ(window->MMpanel->Zoom(), 200);
    EXPECT_EQ(window->cmbcd->count(), 0);
    EXPECT_EQ(window->cmbcd->currentIndex(), -1);
    EXPECT_EQ(window->lblmmstatus->text(), "-");
    EXPECT_FALSE(window->lblwarning->isVisible());
    EXPECT_EQ(LogLines(), QStringList({"Quelvo Player v1.30 Logging", QString(67, '*')}));

    window->show();
    window->close();
    EXPECT_EQ(Stored("Zoom"), "5");
    EXPECT_EQ(Stored("Drive"), "-1");
    EXPECT_EQ(Stored("Version"), "v1.30");
}

TEST_F(MainWindowTest, StoredZoomSelectsItsEntryAndFallsBackOnBadText) {
    struct Case {
        std::string stored;
        int index;
        int defaultZoom;
        bool fit;
        int zoom;
    };
    for (const Case& c : {Case{"0", 0, 100, true, 100}, Case{"abc", 5, 200, false, 200},
                          Case{"7", 7, 500, false, 500}, Case{"9", -1, 100, false, 100},
                          Case{"-1", -1, 100, false, 100}}) {
        Store("Zoom", c.stored);
        Start();
        SCOPED_TRACE(c.stored);
        EXPECT_EQ(window->cmbzoom->currentIndex(), c.index);
        EXPECT_EQ(window->MMpanel->DefaultZoom, c.defaultZoom);
        EXPECT_EQ(window->MMpanel->StretchToFit(), c.fit);
        EXPECT_EQ(window->MMpanel->ShrinkToFit(), c.fit);
        EXPECT_EQ(window->MMpanel->Zoom(), c.zoom);
        window.reset();
        log.reset();
    }
}

TEST_F(MainWindowTest, StoredDriveIsRestoredByPositionWithTheFirstDriveAsFallback) {
    Sandbox::MapDrive("D:");
    Sandbox::MapDrive("E:");
    for (const auto& [stored, expected] : std::vector<std::pair<std::string, int>>{
             {"1", 1}, {"3", 0}, {"-1", 0}, {"x", 0}, {"", 0}}) {
        Store("Drive", stored);
        Start();
        SCOPED_TRACE(stored);
        EXPECT_EQ(DriveItems(), QStringList({"D:", "E:"}));
        EXPECT_EQ(window->cmbcd->currentIndex(), expected);
        window.reset();
    }

    // A value of another type cannot be read as text: quietly the first drive.
    Sandbox::StoreDword("SOFTWARE\\Norvane\\Quelvo Player", "Drive", 1);
    DialogRecorder dialogs;
    Start();
    EXPECT_TRUE(dialogs.Shown.isEmpty());
    EXPECT_EQ(window->cmbcd->currentIndex(), 0);
}

TEST_F(MainWindowTest, ANonTextSettingIsShownAsAnErrorAndTheWindowStillComesUp) {
    Sandbox::StoreDword("SOFTWARE\\Norvane\\Quelvo Player", "Zoom", 3);
    DialogRecorder dialogs;
    Start();
    ASSERT_EQ(dialogs.Shown.size(), 1);
    EXPECT_EQ(dialogs.Shown[0].Text, "Invalid data type for 'Zoom'");
    EXPECT_EQ(window->windowTitle(), "Quelvo Player v1.30");
}

TEST_F(MainWindowTest, AWronglyTypedSettingCostsOnlyItself) {
    Sandbox::MapDrive("D:");
    Sandbox::MapDrive("E:");
    Store("Drive", "1");
    Store("Version", "v1.30");
    Sandbox::StoreDword("SOFTWARE\\Norvane\\Quelvo Player", "Zoom", 1);
    DialogRecorder dialogs;
    Start();
    EXPECT_EQ(window->cmbzoom->currentIndex(), 5) << "the default zoom";
    EXPECT_EQ(window->cmbcd->currentIndex(), 1) << "the drive is restored all the same";
    window->close();
    EXPECT_EQ(Stored("Zoom"), "5");
    EXPECT_EQ(Stored("Drive"), "1");
    window.reset();

    // A version that cannot be read is shown and then counts as differing.
    Store("Zoom", "2");
    Sandbox::StoreDword("SOFTWARE\\Norvane\\Quelvo Player", "Version", 1);
    dialogs.Shown.clear();
    Start();
    ASSERT_FALSE(dialogs.Shown.empty());
    EXPECT_EQ(dialogs.Shown[0].Text, "Invalid data type for 'Version'");
    EXPECT_EQ(window->cmbzoom->currentIndex(), 2);
    EXPECT_EQ(window->cmbcd->currentIndex(), 1);
    window->close();
    EXPECT_EQ(Stored("Version"), "v1.30");
}

TEST_F(MainWindowTest, CtrlAltClickOnTheDriveLabelPointsTheFirstEntryAtDriveC) {
    Sandbox::MapDrive("D:");
    Sandbox::MapDrive("E:");
    Store("Drive", "1");
    Start();
    window->Label1MouseDown(Qt::ControlModifier);
    EXPECT_EQ(DriveItems(), QStringList({"D:", "E:"}));
    QTest::mouseClick(window->Label1, Qt::RightButton,
                      Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
    EXPECT_EQ(DriveItems(), QStringList({"C:", "E:"}));
    EXPECT_EQ(window->cmbcd->currentIndex(), 0);
}

TEST_F(MainWindowTest, CtrlAltClickWithoutDrivesShowsTheListErrorAndChangesNothing) {
    Start();
    DialogRecorder dialogs;
    QTest::mouseClick(window->Label1, Qt::LeftButton, Qt::ControlModifier | Qt::AltModifier);
    ASSERT_EQ(dialogs.Shown.size(), 1);
    EXPECT_EQ(dialogs.Shown[0].Text, "List index out of bounds (0)");
    EXPECT_EQ(dialogs.Shown[0].Icon, platform::DialogIcon::Error);
    EXPECT_EQ(window->cmbcd->count(), 0);
}

TEST_F(MainWindowTest, ACloseThatCannotSaveShowsTheErrorAndClosesAllTheSame) {
    Start();
    window->show();
    Sandbox::BreakConfiguration();
    DialogRecorder dialogs;
    EXPECT_TRUE(window->close());
    // The placement is saved first, on the close query.
    ASSERT_EQ(dialogs.Shown.size(), 2);
    EXPECT_EQ(dialogs.Shown[0].Text, "Failed to create key Quelvo Player");
    EXPECT_EQ(dialogs.Shown[1].Text, "Error encountered saving registry");
    EXPECT_FALSE(window->isVisible());
    // Nothing was saved, so the destruction tries once more.
    window.reset();
    ASSERT_EQ(dialogs.Shown.size(), 3);
    EXPECT_EQ(dialogs.Shown[2].Text, "Failed to create key Quelvo Player");
}

TEST_F(MainWindowTest, IdleTimeReSyncsTheStateButtonsOnlyWhenAsked) {
    Start();
    window->btnplay->setChecked(true);
    RunEventLoop(20);
    EXPECT_TRUE(window->btnplay->isChecked()) << "nothing asked for a re-sync";

    window->StatusResyncPending = true;
    window->lblmmstatus->setText("1:00 / 2:00");
    ASSERT_TRUE(RunEventsUntil([this] { return !window->StatusResyncPending; }));
    EXPECT_FALSE(window->StatusResyncPending);
    EXPECT_FALSE(window->btnplay->isChecked());
    EXPECT_TRUE(window->btnstop->isChecked());
    EXPECT_EQ(window->lblmmstatus->text(), " - ");
    EXPECT_EQ(window->trkmm->value(), 0);
    EXPECT_FALSE(window->Updating);
}

TEST_F(MainWindowTest, TheWarningLabelKeepsCoveringThePanelWhenTheWindowIsResized) {
    Start();
    window->show();
    window->lblwarning->show();
    window->resize(640, 360);
    QApplication::processEvents();
    EXPECT_EQ(window->lblwarning->geometry(), QRect(QPoint(0, 0), window->MMpanel->size()));
}

TEST_F(MainWindowTest, TheWarningLabelFollowsThePanelWhereverTheToolbarGoes) {
    Start();
    window->show();
    window->lblwarning->show();
    window->FormResize();
    const auto covers = [this] {
        QApplication::processEvents();
        return window->lblwarning->geometry() == QRect(QPoint(0, 0), window->MMpanel->size());
    };
    const QSize before = window->MMpanel->size();
    window->addToolBar(Qt::LeftToolBarArea, window->Toolbar971);
    EXPECT_TRUE(covers()) << "docked on the left";
    window->addToolBar(Qt::TopToolBarArea, window->Toolbar971);
    window->Toolbar971->hide();
    EXPECT_TRUE(covers()) << "hidden";
    EXPECT_NE(window->MMpanel->size(), before);
}

// The closed track and zoom lists draw their entry at the height at which
// the drive list beside them draws its text.
TEST_F(MainWindowTest, TheClosedOwnerDrawnListsCentreTheirEntryLikeTheDriveList) {
    Sandbox::MapDrive("D:");
    Start();
    window->show();
    window->cmbtrack->addItem("D:\\MPEGAV\\AVSEQ01.DAT");
    window->cmbtrack->setCurrentIndex(0);
    QApplication::processEvents();
    // The middle row of the dark text pixels in the list's field.
    const auto textMiddle = [](QWidget* list) {
        const QImage image = list->grab().toImage();
        int first = -1, last = -1;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 2; x < image.width() / 2; ++x)
                if (qGray(image.pixel(x, y)) < 80) {
                    first = first < 0 ? y : first;
                    last = y;
                    break;
                }
        return (first + last) / 2.0;
    };
    // In the toolbar's rows: the lists stand side by side in it.
    const auto middleInToolbar = [&textMiddle](QComboBox* list) {
        return textMiddle(list) + list->y();
    };
    for (QComboBox* list : {window->cmbtrack, window->cmbzoom})
        EXPECT_NEAR(middleInToolbar(list), middleInToolbar(window->cmbcd), 1.5)
            << list->accessibleName().toStdString();
}

TEST_F(MainWindowTest, NoValidFileGuardsAnEmptyTrackList) {
    Start();
    DialogRecorder dialogs;
    EXPECT_TRUE(window->novalidfile());
    ASSERT_EQ(dialogs.Shown.size(), 1);
    EXPECT_EQ(dialogs.Shown[0].Title, "Information");
    EXPECT_EQ(dialogs.Shown[0].Text, "Please insert a valid VCD file.");
    window->cmbtrack->addItem("D:\\MPEGAV\\AVSEQ01.DAT");
    EXPECT_FALSE(window->novalidfile());
    EXPECT_EQ(dialogs.Shown.size(), 1);
}

TEST_F(MainWindowTest, ToolbarCarriesItsControlsInOrderAndDocksAnywhere) {
    Start();
    QStringList hints;
    for (QAction* action : window->Toolbar971->actions())
        if (QWidget* item = window->Toolbar971->widgetForAction(action))
            if (!item->toolTip().isEmpty())
                hints << item->toolTip();
    EXPECT_EQ(
        hints,
        QStringList({"Select your CD-ROM drive", "Select which VCD track you want to play",
                     "Check the VCD for new tracks", "Rewind the VCD", "FF the VCD", "Play the VCD",
                     "Pause the VCD", "Stop the VCD", "The position of the VCD",
                     "Loop playback of the VCD", "The zoom of the VCD",
                     "Display the window full size (click Esc to cancel)",
                     "Display logging information", "About the program", "Exit program"}));
    // 28 items, one of which is a separator followed by a blank one.
    EXPECT_EQ(window->Toolbar971->actions().size(), 29);
    EXPECT_EQ(window->Toolbar971->windowTitle(), "Toolbar971");
    EXPECT_EQ(window->Toolbar971->allowedAreas(), Qt::AllToolBarAreas);
    EXPECT_TRUE(window->Toolbar971->isFloatable());
    for (QToolButton* button : {window->btnplay, window->btnstop, window->ToolbarButton971})
        EXPECT_FALSE(button->icon().pixmap(16, 16).isNull());
}

TEST_F(MainWindowTest, AddLogAppendsLinesAndDropsThemWithoutALogWindow) {
    Start();
    AddLog("");
    AddLog("Opening MPEG file: D:\\MPEGAV\\AVSEQ01.DAT");
    EXPECT_EQ(LogLines().mid(2), QStringList({"", "Opening MPEG file: D:\\MPEGAV\\AVSEQ01.DAT"}));
    log.reset();
    AddLog("dropped");
}

TEST_F(MainWindowTest, ExitButtonClosesTheWindow) {
    Start();
    window->show();
    window->ToolbarButton975->click();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(Stored("Version"), "v1.30");
}

} // namespace
