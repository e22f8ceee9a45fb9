// The .dat association as the user meets it: the question at the first start
// of a new version, the About box's repair, and a Video CD that does not play
// until the association is repaired.
#include "app/uMain.h"
#include "display/MMDisplay2.h"
#include "system/SettingsStore.h"
#include "tests/support/AssociationFiles.h"
#include "tests/support/DialogRecorder.h"
#include "tests/support/EventLoop.h"
#include "tests/support/HeadlessVideo.h"
#include "tests/support/NotificationRecorder.h"
#include "tests/support/PinnedErrorTexts.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/Sandbox.h"
#include "tests/support/TestMedia.h"
#include "windows/AboutBoxUnit.h"
#include "windows/LinkLabel.h"
#include "windows/uLogging.h"

#include "platform/mci/mci.h"

#include <gtest/gtest.h>
#include <QComboBox>
#include <QCoreApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

using platform::DialogButton;

namespace {

const QString Question = "Your DAT file extension does not appear to be set correctly in Windows. "
                         " Quelvo Player may need to change this in order to playback VCD files. "
                         " Do you want to make this change now?\r\n\r\nNote: You can fix this "
                         "later by clicking \"No\" and then selecting the About Box button on the "
                         "toolbar.";

// .dat sent to a device that has no driver, as another program might leave it.
void BreakDatAssociation() {
    AssociationFiles::WriteWinIni("[MCI Extensions]\ndat=WaveAudio\nmpg=MPEGVideo\n");
}

class AssociationTest : public HeadlessVideoTest {
protected:
    // Starts the program and closes it the normal way, which stores the version.
    void StartAndClose() {
        Start();
        window->close();
        Stop();
    }
    void Start() {
        window = std::make_unique<TdlgMain>();
        log = std::make_unique<TdlgLog>();
    }
    void Stop() {
        log.reset();
        window.reset();
    }

    std::unique_ptr<TdlgMain> window;
    std::unique_ptr<TdlgLog> log;
};

TEST_F(AssociationTest, TheQuestionComesAtTheFirstStartOfANewVersionOnlyWhenNeeded) {
    {
        DialogRecorder dialogs;
        StartAndClose();
        EXPECT_TRUE(dialogs.Shown.isEmpty()) << "a right association asks nothing";
    }
    BreakDatAssociation();
    {
        DialogRecorder dialogs;
        StartAndClose();
        EXPECT_TRUE(dialogs.Shown.isEmpty()) << "the same version does not check";
    }
    SaveSetting("Quelvo Player", "", "Version", "v1.3");
    {
        DialogRecorder dialogs(DialogButton::No);
        StartAndClose();
        ASSERT_EQ(dialogs.Shown.size(), 1);
        EXPECT_EQ(dialogs.Shown[0].Text, Question);
        EXPECT_NE(AssociationFiles::WinIni().find("dat=WaveAudio"), std::string::npos);
    }
    {
        DialogRecorder dialogs;
        StartAndClose();
        EXPECT_TRUE(dialogs.Shown.isEmpty()) << "after No, not again until the version changes";
    }
    SaveSetting("Quelvo Player", "", "Version", "");
    {
        DialogRecorder dialogs(DialogButton::Yes);
        Start();
        ASSERT_EQ(dialogs.Shown.size(), 2);
        EXPECT_TRUE(dialogs.Shown[1].Text.startsWith("Your changes have been made."));
        EXPECT_NE(AssociationFiles::WinIni().find("dat=MPEGVideo"), std::string::npos);
        EXPECT_EQ(window->cmbzoom->currentIndex(), 5) << "the start carries on";
    }
}

TEST_F(AssociationTest, AFailedStartUpRepairIsShownAndTheWindowStillStarts) {
    BreakDatAssociation();
    // A handler the repair must change: one that is right already needs no write.
    AssociationFiles::WriteHandlers("WaveAudio", "MPEGVideo");
    AssociationFiles::LockMachineHive();
    SaveSetting("Quelvo Player", "", "Zoom", "3");
    DialogRecorder dialogs(DialogButton::Yes);
    Start();
    ASSERT_EQ(dialogs.Shown.size(), 2);
    EXPECT_EQ(dialogs.Shown[1].Text, "Failed to set data for 'MCIHandler'");
    EXPECT_EQ(dialogs.Shown[1].Icon, platform::DialogIcon::Error);
    EXPECT_EQ(window->cmbzoom->currentIndex(), 3);
}

TEST_F(AssociationTest, TheAboutButtonOpensTheBoxModallyAndDestroysItAfterwards) {
    Start();
    bool shown = false;
    QTimer::singleShot(0, [&] {
        shown = AboutBox != nullptr && AboutBox->isVisible() && AboutBox->isModal();
        if (AboutBox)
            AboutBox->close();
    });
    window->ToolbarButton976->click();
    EXPECT_TRUE(shown);
    EXPECT_EQ(AboutBox, nullptr);
}

TEST_F(AssociationTest, ABrokenAssociationStopsAVideoCdUntilTheAboutBoxRepairsIt) {
    Sandbox::MapDriveTo("D:", TestMedia::VcdImage().cue);
    Start();
    BreakDatAssociation();
    const std::string expected = PinnedErrorTexts::Of(platform::MCIERR_INVALID_DEVICE_NAME);
    {
        DialogRecorder dialogs;
        window->cmbcd->setCurrentIndex(0);
        window->cmbcdChange();
        QCoreApplication::processEvents();
        ASSERT_FALSE(dialogs.Shown.isEmpty());
        EXPECT_EQ(dialogs.Shown[0].Text, QString::fromStdString(expected));
        EXPECT_NE(window->MMpanel->Status(), mmPlaying);
    }
    {
        DialogRecorder dialogs;
        QTimer::singleShot(0, [] {
            QTest::mouseClick(AboutBox->LinkLabel1, Qt::LeftButton);
            AboutBox->BitBtn1->click();
        });
        window->ToolbarButton976->click();
        ASSERT_EQ(dialogs.Shown.size(), 1);
        EXPECT_TRUE(dialogs.Shown[0].Text.startsWith("Your changes have been made."));
    }
    // As the message says: the repair takes effect at the next start.
    window->close();
    Stop();
    DialogRecorder dialogs;
    Start();
    window->cmbcd->setCurrentIndex(0);
    window->cmbcdChange();
    QCoreApplication::processEvents();
    EXPECT_TRUE(RunEventsUntil([this] { return window->MMpanel->Status() == mmPlaying; }));
    EXPECT_EQ(window->MMpanel->FileName(), "D:\\MPEGAV\\AVSEQ01.DAT");
    for (const auto& shown : dialogs.Shown)
        ADD_FAILURE() << shown.Text.toStdString();
}

} // namespace
