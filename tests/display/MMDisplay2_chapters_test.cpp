// The panel's chapter steps on an authored Video CD of three minutes, played
// by the real video driver headless: where each step lands against the
// entry's time, and the event that tells how many entries the track has.
#include "display/MediaPlayer.h"
#include "tests/display/VideoPanelFixture.h"
#include "tests/platform/drives_test_support.h"
#include "tests/support/EventLoop.h"
#include "tests/support/TestMedia.h"

#include <gtest/gtest.h>

namespace {

class PanelChapters : public VideoPanelTest {
protected:
    void SetUp() override {
        VideoPanelTest::SetUp();
        FSources.mappings->stored['E'] = TestMedia::ChapterDisc(false).cue;
        panel->OnChaptersKnown = [this](QObject*, int count) { told.push_back(count); };
    }

    // Plays the track, then holds it paused at its start once its
    // chapters are known. Untimed, an optimised build may have played past
    // the first entry by then: back to the start first.
    void OpenPaused(const QString& file) {
        panel->PlayFile(file);
        ASSERT_TRUE(RunEventsUntil([this] { return !told.empty(); }));
        panel->SetPosition(0);
        panel->Pause();
        RunEventLoop(300);
    }

    // The position the device reports once a step has been asked for, in
    // its own time format: where it was sent.
    int Landed() const { return static_cast<int>(panel->MediaPlayer()->Position()); }

    drives_test::ScopedDriveSources FSources;
    std::vector<int> told;
};

TEST_F(PanelChapters, PageStepsLandOnTheEntriesOfTheTrackInTheirOrder) {
    OpenPaused("E:\\MPEGAV\\AVSEQ01.DAT");
    EXPECT_EQ(told, std::vector<int>{4});
    const std::vector<int> chapters = panel->Chapters();
    ASSERT_EQ(chapters.size(), 4u);
    const std::vector<int> shown = panel->ChapterMilliseconds();
    ASSERT_EQ(shown.size(), 4u);
    // The device counts milliseconds: the two agree.
    for (std::size_t i = 0; i < shown.size(); ++i)
        EXPECT_NEAR(chapters[i], shown[i], 1.0);
    EXPECT_NEAR(shown[1] / 1000.0, TestMedia::kChapterSeconds[0], 0.6);

    panel->NextChapter();
    EXPECT_EQ(Landed(), chapters[1]);
    panel->NextChapter();
    EXPECT_EQ(Landed(), chapters[2]);
    // Straight back: within the chapter's first seconds, the one before.
    panel->PreviousChapter();
    EXPECT_EQ(Landed(), chapters[1]);
    panel->NextChapter();
    panel->NextChapter();
    EXPECT_EQ(Landed(), chapters[3]);
    EXPECT_EQ(panel->CurrentChapter(), 3);
    panel->Pause();
    RunEventLoop(300);
    // Five seconds into the last chapter: back to its start; on from the
    // last, nowhere.
    panel->SetPosition(chapters[3] + 5000);
    panel->Pause();
    RunEventLoop(300);
    const int inside = Landed();
    panel->NextChapter();
    EXPECT_EQ(Landed(), inside);
    panel->PreviousChapter();
    EXPECT_EQ(Landed(), chapters[3]);
}

TEST_F(PanelChapters, ATrackWithoutEntriesTellsNoneAndStepsDoNothing) {
    // Long enough not to end, played untimed, before its entries are known.
    OpenPaused(QString::fromStdString(TestMedia::LongPalVcdClip()));
    EXPECT_EQ(told, std::vector<int>{0});
    EXPECT_TRUE(panel->Chapters().empty());
    const int before = Landed();
    panel->NextChapter();
    panel->PreviousChapter();
    EXPECT_EQ(Landed(), before);
    EXPECT_EQ(panel->CurrentChapter(), -1);
}

TEST_F(PanelChapters, EachOpenedTrackTellsItsEntriesOnce) {
    OpenPaused("E:\\MPEGAV\\AVSEQ01.DAT");
    RunEventLoop(600);
    panel->PlayFile(QString::fromStdString(TestMedia::LongPalVcdClip()));
    ASSERT_TRUE(RunEventsUntil([this] { return told.size() == 2; }));
    RunEventLoop(600);
    EXPECT_EQ(told, (std::vector<int>{4, 0}));
}

} // namespace
