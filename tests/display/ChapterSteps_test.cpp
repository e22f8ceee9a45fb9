// Which chapter a step goes to: next, and back as players step back.
#include "display/ChapterSteps.h"

#include <gtest/gtest.h>

namespace {

const std::vector<platform::DWORD> starts{0, 30000, 75500, 120000};
constexpr platform::DWORD tolerance = 500;
constexpr platform::DWORD grace = 3000;

TEST(ChapterSteps, NextGoesToTheFollowingStartAndNowhereFromTheLast) {
    EXPECT_EQ(NextChapter(starts, 0, tolerance), 1);
    EXPECT_EQ(NextChapter(starts, 29000, tolerance), 1);
    // A seek that landed a frame short of a start is at that start.
    EXPECT_EQ(NextChapter(starts, 29960, tolerance), 2);
    EXPECT_EQ(NextChapter(starts, 30000, tolerance), 2);
    EXPECT_EQ(NextChapter(starts, 119990, tolerance), -1);
    EXPECT_EQ(NextChapter(starts, 170000, tolerance), -1);
    EXPECT_EQ(NextChapter({}, 0, tolerance), -1);
}

TEST(ChapterSteps, BackGoesToTheStartPlayingOrWithinItsFirstSecondsToTheOneBefore) {
    EXPECT_EQ(PreviousChapter(starts, 80000, tolerance, grace), 2);
    EXPECT_EQ(PreviousChapter(starts, 75500 + 2999, tolerance, grace), 1);
    EXPECT_EQ(PreviousChapter(starts, 75500 + 3000, tolerance, grace), 2);
    EXPECT_EQ(PreviousChapter(starts, 75480, tolerance, grace), 1);
    EXPECT_EQ(PreviousChapter(starts, 10000, tolerance, grace), 0);
    // Within the first chapter's first seconds: the track's start.
    EXPECT_EQ(PreviousChapter(starts, 1000, tolerance, grace), -1);
    // A disc whose first entry is not at the start: before it, the start.
    EXPECT_EQ(PreviousChapter({20000}, 5000, tolerance, grace), -1);
    EXPECT_EQ(ChapterAt({20000}, 5000, tolerance), -1);
}

} // namespace
