#include "display/VideoPlacement.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace {

struct PlacementCase {
    const char* what;
    TVideoPlacementInput input;
    std::vector<int> rect; // left, top, width, height; empty: nothing placed
    int zoom;
};

// A 352 x 288 Video CD picture in an 800 x 400 panel with a border of one
// pixel, on a screen that leaves every offset alone, unless a case says so.
TVideoPlacementInput Vcd(int zoom, bool center, bool stretch = false, bool shrink = false) {
    return {352, 288, zoom, 800, 400, 1, center, stretch, shrink, 1280, 800};
}

TVideoPlacementInput Sized(int width, int height, bool center) {
    TVideoPlacementInput input = Vcd(100, center);
    input.NaturalWidth = width;
    input.NaturalHeight = height;
    return input;
}

TVideoPlacementInput With(TVideoPlacementInput input, void (*change)(TVideoPlacementInput&)) {
    change(input);
    return input;
}

void PrintTo(const PlacementCase& c, std::ostream* out) {
    *out << c.what;
}

class PlaceVideoTest : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(PlaceVideoTest, GivesTheRectangleAndTheZoomItAmountsTo) {
    const PlacementCase& c = GetParam();
    const std::optional<TVideoPlacement> placed = PlaceVideo(c.input);
    if (c.rect.empty()) {
        EXPECT_FALSE(placed.has_value());
        return;
    }
    ASSERT_TRUE(placed.has_value());
    const platform::RECT& r = placed->Rect;
    EXPECT_EQ((std::vector<int>{r.left, r.top, r.right, r.bottom}), c.rect);
    EXPECT_EQ(placed->Zoom, c.zoom);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlaceVideoTest,
    ::testing::Values(
        PlacementCase{"fit scales to the height and centres",
                      Vcd(100, true, true, true),
                      {156, 1, 486, 398},
                      138},
        PlacementCase{
            "a zoom too big is kept without shrink", Vcd(200, true), {47, 1, 704, 576}, 200},
        PlacementCase{"half pixels of size round to the even neighbour",
                      With(Sized(353, 288, false), [](TVideoPlacementInput& i) { i.Zoom = 50; }),
                      {1, 1, 176, 144},
                      49},
        PlacementCase{"half pixels of offset round to the even neighbour",
                      Sized(485, 100, true),
                      {156, 149, 485, 100},
                      100},
        PlacementCase{"a centred video one pixel smaller than the room sits at the border",
                      Sized(797, 397, true),
                      {1, 1, 797, 397},
                      100},
        PlacementCase{
            "shrink fits a wide video to the width",
            With(Sized(1000, 100, false), [](TVideoPlacementInput& i) { i.ShrinkToFit = true; }),
            {1, 1, 798, 79},
            79},
        PlacementCase{
            "stretch alone leaves a video too wide as it is",
            With(Sized(1000, 100, false), [](TVideoPlacementInput& i) { i.StretchToFit = true; }),
            {1, 1, 1000, 100},
            100},
        PlacementCase{
            "stretch fits a small wide video to the width",
            With(Sized(400, 40, false), [](TVideoPlacementInput& i) { i.StretchToFit = true; }),
            {1, 1, 798, 79},
            199},
        PlacementCase{"an offset beyond the screen falls back to the border",
                      With(Vcd(100, true),
                           [](TVideoPlacementInput& i) {
                               i.ScreenWidth = 100;
                               i.ScreenHeight = 100;
                           }),
                      {1, 55, 352, 288},
                      100},
        PlacementCase{"a size beyond 30000 pixels falls back to the room",
                      Vcd(10000, false),
                      {1, 1, 798, 28800},
                      226},
        PlacementCase{"a panel no wider than its border places nothing",
                      With(Vcd(100, true), [](TVideoPlacementInput& i) { i.ClientWidth = 2; }),
                      {},
                      0},
        PlacementCase{"a zoom of nothing places nothing", Vcd(0, true), {}, 0}));

} // namespace
