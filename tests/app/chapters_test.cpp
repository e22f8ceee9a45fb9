// Chapters, the audio channel and stream from the main window: the log line when a
// track opens, PageDown and PageUp, the A key, and the panel's menu, on an
// authored Video CD of three minutes played headless.
#include "app/uMain.h"
#include "display/MediaPlayer.h"
#include "display/MMDisplay2.h"
#include "tests/platform/drives_test_support.h"
#include "tests/support/DialogRecorder.h"
#include "tests/support/EventLoop.h"
#include "tests/support/HeadlessVideo.h"
#include "tests/support/TestMedia.h"
#include "windows/uLogging.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

class ChaptersTest : public HeadlessVideoTest {
protected:
    void Start(const std::string& image) {
        FSources.mappings->stored['D'] = image;
        window = std::make_unique<TdlgMain>();
        log = std::make_unique<TdlgLog>();
        window->show();
        window->cmbcd->setCurrentIndex(window->cmbcd->findText("D:"));
        window->cmbcdChange();
        ASSERT_TRUE(RunEventsUntil([this] { return LogLines().last().startsWith("Entry"); }));
        // Untimed, an optimised build may have played past the first entry
        // by now: held paused at the start.
        window->MMpanel->SetPosition(0);
        window->MMpanel->Pause();
        RunEventLoop(300);
    }

    QStringList LogLines() const { return log->Memo1->toPlainText().split('\n'); }

    void Key(Qt::Key key) {
        QTest::keyClick(window->MMpanel, key);
        QCoreApplication::processEvents();
    }

    int Position() const { return static_cast<int>(window->MMpanel->MediaPlayer()->Position()); }

    // The texts of the panel's menu as a right-click opens it (checked ones
    // marked with a star), triggering the item `choose` when it is given.
    QStringList Menu(const QString& choose = {}) {
        QStringList items;
        QTimer::singleShot(200, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu)
                return;
            QAction* chosen = nullptr;
            for (QAction* action : menu->actions()) {
                if (action->isSeparator())
                    continue;
                items << action->text() + (action->isChecked() ? "*" : "");
                if (action->text() == choose)
                    chosen = action;
            }
            menu->close();
            if (chosen)
                chosen->trigger();
        });
        window->MMpanelContextPopup(QPoint(10, 10));
        QCoreApplication::processEvents();
        return items;
    }

    drives_test::ScopedDriveSources FSources;
    DialogRecorder dialogs{platform::DialogButton::No};
    std::unique_ptr<TdlgMain> window;
    std::unique_ptr<TdlgLog> log;
};

TEST_F(ChaptersTest, OpeningATrackLogsItsEntriesAndThePageKeysStepThroughThem) {
    Start(TestMedia::ChapterDisc(false).cue);
    const QStringList lines = LogLines();
    EXPECT_EQ(lines.mid(lines.size() - 2),
              QStringList({"Opening MPEG file: D:\\MPEGAV\\AVSEQ01.DAT", "Entry points: 4"}));
    const std::vector<int> chapters = window->MMpanel->Chapters();
    ASSERT_EQ(chapters.size(), 4u);
    Key(Qt::Key_PageDown);
    EXPECT_EQ(Position(), chapters[1]);
    Key(Qt::Key_PageDown);
    EXPECT_EQ(Position(), chapters[2]);
    Key(Qt::Key_PageUp);
    EXPECT_EQ(Position(), chapters[1]);
    Key(Qt::Key_PageUp);
    EXPECT_EQ(Position(), chapters[0]);
}

TEST_F(ChaptersTest, TheMenuListsTheChaptersWithTheirTimesThenTheChannels) {
    Start(TestMedia::ChapterDisc(true).cue);
    window->MMpanel->PlayChapter(2);
    window->MMpanel->Pause();
    RunEventLoop(300);
    const QStringList items = Menu("Chapter 2\t0:30");
    ASSERT_EQ(items.size(), 7) << items.join(", ").toStdString();
    EXPECT_EQ(items[0], "Chapter 1\t0:00");
    EXPECT_TRUE(items[1].startsWith("Chapter 2\t0:30"));
    EXPECT_TRUE(items[2].startsWith("Chapter 3\t1:1")) << items[2].toStdString();
    EXPECT_TRUE(items[2].endsWith("*")) << "the chapter playing";
    EXPECT_EQ(items.mid(4), QStringList({"Stereo*", "Left channel", "Right channel"}));
    RunEventLoop(300);
    EXPECT_EQ(window->MMpanel->CurrentChapter(), 1) << "chosen from the menu";

    Key(Qt::Key_A);
    EXPECT_EQ(window->MMpanel->AudioChannel(), acLeftChannel);
    EXPECT_EQ(Menu("Right channel").mid(4),
              QStringList({"Stereo", "Left channel*", "Right channel"}));
    EXPECT_EQ(window->MMpanel->AudioChannel(), acRightChannel);
    Key(Qt::Key_A);
    EXPECT_EQ(window->MMpanel->AudioChannel(), acStereo);
}

TEST_F(ChaptersTest, TheChannelChosenStaysForTheNextDiscOfTheRun) {
    // Tracks of minutes, so that each still plays when its entries are
    // known, however fast the headless driver plays.
    FSources.mappings->stored['E'] = TestMedia::ChapterDisc(true).cue;
    Start(TestMedia::LongVcdImage().cue);
    EXPECT_EQ(LogLines().last(), "Entry points: 1");
    Key(Qt::Key_A);
    Key(Qt::Key_A);
    window->cmbcd->setCurrentIndex(window->cmbcd->findText("E:"));
    window->cmbcdChange();
    ASSERT_TRUE(RunEventsUntil([this] { return LogLines().filter("Entry points").size() == 2; }));
    EXPECT_EQ(LogLines().last(), "Entry points: 4");
    EXPECT_EQ(window->MMpanel->AudioChannel(), acRightChannel);
    EXPECT_EQ(Menu().mid(4), QStringList({"Stereo", "Left channel", "Right channel*"}));
}

TEST_F(ChaptersTest, ASecondAudioStreamIsListedChosenAndKeptForTheNextDiscOfTheRun) {
    FSources.mappings->stored['E'] = TestMedia::TwoStreamDisc().cue;
    Start(TestMedia::TwoStreamDisc().cue);
    EXPECT_EQ(Menu("Audio stream 2"),
              QStringList({"Chapter 1\t0:00*", "Stereo*", "Left channel", "Right channel",
                           "Audio stream 1*", "Audio stream 2"}));
    EXPECT_EQ(window->MMpanel->AudioStream(), 2);
    RunEventLoop(300);
    EXPECT_EQ(Menu().mid(4), QStringList({"Audio stream 1", "Audio stream 2*"}));
    window->cmbcd->setCurrentIndex(window->cmbcd->findText("E:"));
    window->cmbcdChange();
    ASSERT_TRUE(RunEventsUntil([this] { return LogLines().filter("Entry points").size() == 2; }));
    RunEventLoop(300);
    EXPECT_EQ(window->MMpanel->AudioStream(), 2) << "as mpv's track list tells";
}

} // namespace
