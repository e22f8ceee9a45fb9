#include "tests/display/PanelFixture.h"

#include <algorithm>
#include <QLabel>

namespace {

platform::RECT Destination(ScriptedDriver& driver) {
    return driver.Destination();
}

std::vector<int> AsList(const platform::RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

TEST_F(PanelTest, FitScalesTheVideoToTheHeightAndCentresIt) {
    panel->SetCenter(true);
    panel->SetStretchToFit(true);
    panel->SetShrinkToFit(true);
    PlayScripted();
    EXPECT_EQ(AsList(Destination(Driver())), (std::vector<int>{156, 1, 486, 398}));
    EXPECT_EQ(panel->Zoom(), 138);
    EXPECT_EQ(events.front(), "zoom 138");
}

TEST_F(PanelTest, ZoomAndSizeChangesLayOutAgainAndAPanelWithoutRoomLaysOutNothing) {
    panel->SetCenter(true);
    PlayScripted();
    events.clear();
    panel->SetZoom(50);
    EXPECT_EQ(AsList(Destination(Driver())), (std::vector<int>{311, 127, 176, 144}));
    panel->resize(2, 400);
    panel->SetZoom(75);
    panel->SetZoom(0);
    EXPECT_EQ(events, (std::vector<QString>{"zoom 50"}));
    EXPECT_EQ(AsList(Destination(Driver())), (std::vector<int>{311, 127, 176, 144}));
}

TEST_F(PanelTest, AFileWithoutVideoLaysOutNothingAndShowsItsNameWithThePosition) {
    ScriptedDriver::NextMedia.hasVideo = false;
    PlayScripted("C:\\clips\\song.scr");
    EXPECT_TRUE(std::none_of(events.begin(), events.end(),
                             [](const QString& e) { return e.startsWith("zoom"); }));
    EXPECT_FALSE(panel->CaptionLabel()->isHidden());
    EXPECT_EQ(panel->CaptionLabel()->text(), "song.scr");
    Tick();
    EXPECT_EQ(panel->CaptionLabel()->text(), "song.scr\r\n(0m:00s / 0m:10s)");
}

TEST_F(PanelTest, TheCaptionFontFollowsTheSixtyCharacterRule) {
    ScriptedDriver::NextMedia.hasVideo = false;
    const QString longPath = "C:\\" + QString(50, 'f') + "\\short.scr"; // 63 characters
    PlayScripted(longPath);
    EXPECT_EQ(panel->CaptionLabel()->font().pointSize(), 14) << "the name part is short";
    Tick();
    EXPECT_EQ(panel->CaptionLabel()->font().pointSize(), 11) << "the full path is long";

    PlayScripted("C:\\" + QString(60, 'n') + ".scr");
    EXPECT_EQ(panel->CaptionLabel()->font().pointSize(), 11);
}

} // namespace
