#include "app/uMain.h"
#include "display/MediaPlayer.h"
#include "display/MMDisplay2.h"
#include "tests/platform/drives_test_support.h"
#include "tests/platform/output_capture.h"
#include "tests/support/DialogRecorder.h"
#include "tests/support/EventLoop.h"
#include "tests/support/HeadlessVideo.h"
#include "tests/support/NotificationRecorder.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/Sandbox.h"
#include "tests/support/TestMedia.h"
#include "windows/uLogging.h"

#include <gtest/gtest.h>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QToolButton>

#include <memory>

namespace {

const QString Warning = "Quelvo Player did not find a valid VCD on drive %1\r\n\r\nPlease ensure "
                        "you have selected the correct CD-ROM drive and inserted a valid VCD disk.";

class ScanTest : public HeadlessVideoTest {
protected:
    // Maps LETTER to a folder holding these files (paths relative to the
    // disc's root); ".mpg" and ".dat" files get a real clip.
    QString Disc(const std::string& letter, const QStringList& files) {
        const QString root = QString::fromStdString(Sandbox::MapDrive(letter));
        for (const QString& file : files) {
            const QString path = root + "/" + file;
            QDir().mkpath(QFileInfo(path).path());
            if (file.endsWith('/'))
                continue;
            QFile::copy(QString::fromStdString(TestMedia::PalVcdClip()), path);
        }
        return root;
    }

    void Start(int drive = 0) {
        window = std::make_unique<TdlgMain>();
        log = std::make_unique<TdlgLog>();
        window->cmbcd->setCurrentIndex(drive);
    }

    // The log after the banner, once the posted opening has run.
    QStringList Scan() {
        window->cmbcdChange();
        QCoreApplication::processEvents();
        return log->Memo1->toPlainText().split('\n').mid(2);
    }

    QStringList Tracks() const {
        QStringList items;
        for (int i = 0; i < window->cmbtrack->count(); ++i)
            items << window->cmbtrack->itemText(i);
        return items;
    }

    std::unique_ptr<TdlgMain> window;
    std::unique_ptr<TdlgLog> log;
};

TEST_F(ScanTest, AVideoCdInTheSecondOfThreeDrivesIsListedLoggedAndTrackOneOpened) {
    Disc("D:", {});
    Disc("E:", {"MPEGAV/AVSEQ01.DAT", "MPEGAV/AVSEQ02.DAT", "CDI/", "VCD/"});
    Disc("F:", {});
    Start(1);
    EXPECT_EQ(Scan(), QStringList({"", "Connecting to drive 2 of 3: \"E:\"",
                                   "SVCD Folder Exists (E:\\MPEG2\\): False",
                                   "VCD Folder Exists (E:\\MPEGAV\\): True",
                                   "MPEG files found in E:\\MPEGAV\\: 2",
                                   "Opening MPEG file: E:\\MPEGAV\\AVSEQ01.DAT"}));
    EXPECT_EQ(Tracks(), QStringList({"E:\\MPEGAV\\AVSEQ01.DAT", "E:\\MPEGAV\\AVSEQ02.DAT"}));
    EXPECT_EQ(window->cmbtrack->currentIndex(), 0);
    EXPECT_EQ(window->CurrentFile, "E:\\MPEGAV\\AVSEQ01.DAT");
    EXPECT_EQ(window->MMpanel->FileName(), "E:\\MPEGAV\\AVSEQ01.DAT");
    EXPECT_TRUE(window->lblwarning->isHidden());
    EXPECT_TRUE(RunEventsUntil([this] { return window->MMpanel->Status() == mmPlaying; }));
}

TEST_F(ScanTest, ASuperVideoCdIsFoundInItsMpeg2Folder) {
    Disc("D:", {"MPEG2/AVSEQ01.MPG", "MPEGAV/AVSEQ01.DAT"});
    Start();
    EXPECT_EQ(Scan(), QStringList({"", "Connecting to drive 1 of 1: \"D:\"",
                                   "SVCD Folder Exists (D:\\MPEG2\\): True",
                                   "VCD Folder Exists (D:\\MPEG2\\): True",
                                   "MPEG files found in D:\\MPEG2\\: 1",
                                   "Opening MPEG file: D:\\MPEG2\\AVSEQ01.MPG"}));
}

TEST_F(ScanTest, ADataDiscGivesTheMatchingFilesOfItsRootInAnyLetterCase) {
    Disc("D:", {"b.mpg", "X.DAT", "y.Mpeg", "Z.MPE", "noext", "a.mpg2", "c.mpeg/"});
    Start();
    const QStringList lines = Scan();
    EXPECT_EQ(lines.mid(2, 2), QStringList({"SVCD Folder Exists (D:\\MPEG2\\): False",
                                            "VCD Folder Exists (D:\\MPEGAV\\): False"}));
    EXPECT_EQ(Tracks(), QStringList({"D:\\b.mpg", "D:\\c.mpeg", "D:\\X.DAT", "D:\\y.Mpeg"}))
        << "folders count as entries too";
}

TEST_F(ScanTest, ADriveWithoutADiscShowsTheWarningAndNothingElse) {
    const QString root = Disc("D:", {});
    QDir(root).removeRecursively();
    Start();
    DialogRecorder dialogs;
    EXPECT_EQ(Scan().mid(2), QStringList({"SVCD Folder Exists (D:\\MPEG2\\): False",
                                          "VCD Folder Exists (D:\\MPEGAV\\): False",
                                          "VCD Load Error: Cannot access CD"}));
    EXPECT_TRUE(dialogs.Shown.isEmpty());
    EXPECT_TRUE(Tracks().isEmpty());
    EXPECT_FALSE(window->lblwarning->isHidden());
    EXPECT_EQ(window->lblwarning->text(), Warning.arg("D:"));
    EXPECT_EQ(window->lblwarning->geometry(), window->MMpanel->rect());
}

TEST_F(ScanTest, ADiscFolderWithoutTracksIsNotLeftForTheRoot) {
    Disc("D:", {"MPEGAV/", "root.mpg"});
    Start();
    EXPECT_EQ(Scan().mid(4), QStringList({"MPEG files found in D:\\MPEGAV\\: 0",
                                          "VCD Load Error: No valid files found"}));
    EXPECT_FALSE(window->lblwarning->isHidden());
}

TEST_F(ScanTest, WithoutDrivesOrWithoutASelectionTheScanStopsAtOnce) {
    Start();
    EXPECT_EQ(Scan(), QStringList({"", "No CD drives were found"}));
    window->cmbcd->addItem("D:");
    window->cmbcd->setCurrentIndex(-1);
    EXPECT_EQ(Scan().mid(2), QStringList({"", "No CD drive is selected"}));
}

TEST_F(ScanTest, ARescanWhileTrackThreePlaysStartsTrackOneAgain) {
    Disc("D:", {"MPEGAV/AVSEQ01.DAT", "MPEGAV/AVSEQ02.DAT", "MPEGAV/AVSEQ03.DAT"});
    Start();
    Scan();
    window->cmbtrack->setCurrentIndex(2);
    window->cmbtrackChange();
    QCoreApplication::processEvents();
    EXPECT_EQ(window->MMpanel->FileName(), "D:\\MPEGAV\\AVSEQ03.DAT");
    window->ToolbarButton9710->click();
    QCoreApplication::processEvents();
    EXPECT_EQ(window->cmbtrack->count(), 3);
    EXPECT_EQ(window->cmbtrack->currentIndex(), 0);
    EXPECT_EQ(window->MMpanel->FileName(), "D:\\MPEGAV\\AVSEQ01.DAT");
}

} // namespace

namespace {

TEST_F(ScanTest, AVideoCdImageIsScannedAndItsFirstTrackPlaysToItsEnd) {
    Sandbox::MapDriveTo("E:", TestMedia::VcdImage().cue);
    Start();
    // The device is still open when its stop is reported, just before the
    // panel closes it: a stop at the last frame is the end, not a stall.
    TMMDisplay2* panel = window->MMpanel;
    platform::DWORD positionAtStop = 0;
    platform::DWORD lengthAtStop = 0;
    int ended = 0;
    panel->OnStatusChanged = [&, previous = panel->OnStatusChanged](QObject* sender) {
        if (panel->Status() == mmStopped) {
            positionAtStop = panel->MediaPlayer()->Position();
            lengthAtStop = panel->MediaPlayer()->Length();
        }
        if (previous)
            previous(sender);
    };
    panel->OnTrackEnded = [&ended](QObject*) { ++ended; };
    EXPECT_EQ(Scan(), QStringList({"", "Connecting to drive 1 of 1: \"E:\"",
                                   "SVCD Folder Exists (E:\\MPEG2\\): False",
                                   "VCD Folder Exists (E:\\MPEGAV\\): True",
                                   "MPEG files found in E:\\MPEGAV\\: 2",
                                   "Opening MPEG file: E:\\MPEGAV\\AVSEQ01.DAT"}));
    EXPECT_TRUE(RunEventsUntil([&ended] { return ended > 0; }));
    EXPECT_EQ(panel->FileName(), "E:\\MPEGAV\\AVSEQ01.DAT");
    EXPECT_NEAR(double(lengthAtStop), 10000.0, 50.0) << "10 s in milliseconds";
    EXPECT_EQ(positionAtStop, lengthAtStop);
    EXPECT_EQ(ended, 1);
}

// A copy of the Video CD image whose MPEGAV folder is there but its records
// are unreadable: the folder's sector holds bytes that are no records.
std::string ImageWithUnlistableFolder(const QTemporaryDir& folder) {
    const TestMedia::CueBin image = TestMedia::VcdImage();
    QFile source(QString::fromStdString(image.bin));
    EXPECT_TRUE(source.open(QIODevice::ReadOnly));
    QByteArray bin = source.readAll();
    constexpr qsizetype rawSector = 2352, form1Data = 24, dataSize = 2048;
    const qsizetype at = bin.indexOf("AVSEQ01.DAT;1");
    EXPECT_GE(at, 0);
    const qsizetype sector = at / rawSector * rawSector;
    bin.replace(sector + form1Data, dataSize, QByteArray(dataSize, '\xFF'));
    const QString binPath = folder.filePath(QFileInfo(source).fileName());
    QFile damaged(binPath);
    EXPECT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(bin);
    const QString cue = folder.filePath("vcd.cue");
    EXPECT_TRUE(QFile::copy(QString::fromStdString(image.cue), cue));
    return cue.toStdString();
}

TEST_F(ScanTest, AVideoCdFolderThatCannotBeListedIsShownAndLeavesNoTracks) {
    QTemporaryDir folder;
    Sandbox::MapDriveTo("E:", ImageWithUnlistableFolder(folder));
    Start();
    DialogRecorder dialogs;
    EXPECT_EQ(Scan().mid(3), QStringList({"VCD Folder Exists (E:\\MPEGAV\\): True",
                                          "MPEG files found in E:\\MPEGAV\\: 0",
                                          "VCD Load Error: No valid files found"}));
    ASSERT_EQ(dialogs.Shown.size(), 1);
    EXPECT_EQ(dialogs.Shown[0].Title, "Information");
    EXPECT_EQ(dialogs.Shown[0].Text, "Unable to change to the folder, E:\\MPEGAV\\.");
    EXPECT_TRUE(Tracks().isEmpty());
    EXPECT_FALSE(window->lblwarning->isHidden());
}

TEST_F(ScanTest, ASuperVideoCdImageListsItsMpeg2Tracks) {
    Sandbox::MapDriveTo("D:", TestMedia::SvcdImage().cue);
    Start();
    const QStringList lines = Scan();
    EXPECT_EQ(lines.mid(2, 3), QStringList({"SVCD Folder Exists (D:\\MPEG2\\): True",
                                            "VCD Folder Exists (D:\\MPEG2\\): True",
                                            "MPEG files found in D:\\MPEG2\\: 2"}));
    EXPECT_EQ(Tracks(), QStringList({"D:\\MPEG2\\AVSEQ01.MPG", "D:\\MPEG2\\AVSEQ02.MPG"}));
    EXPECT_TRUE(RunEventsUntil([this] { return window->MMpanel->Status() == mmPlaying; }));
}

TEST_F(ScanTest, ADataDiscImageGivesItsRootFilesInDiscOrder) {
    const std::string clip = TestMedia::PalVcdClip();
    Sandbox::MapDriveTo(
        "D:", TestMedia::DataDiscImage(
                  {{"b.mpg", clip}, {"A.DAT", clip}, {"c.Mpeg", clip}, {"notes.txt", clip}}));
    Start();
    Scan();
    EXPECT_EQ(Tracks(), QStringList({"D:\\A.DAT", "D:\\b.mpg", "D:\\c.Mpeg"}));
}

} // namespace

namespace {

TEST_F(ScanTest, AnOpticalDriveWithoutADiscFailsQuietlyWithTheWarning) {
    drives_test::ScopedDriveSources absent({"/dev/quelvo-absent-sr9"});
    Start();
    ASSERT_EQ(window->cmbcd->count(), 1);
    CapturedOutput output;
    const QStringList lines = Scan();
    EXPECT_EQ(output.Text(), "") << "nothing printed for a missing disc";
    EXPECT_EQ(lines.last(), "VCD Load Error: Cannot access CD");
    EXPECT_EQ(window->lblwarning->text(), Warning.arg("D:"));
}

} // namespace
