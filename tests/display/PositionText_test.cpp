#include "display/PositionText.h"

#include <gtest/gtest.h>

namespace {

using platform::MCI_MAKE_HMS;

TEST(FormatTime, WritesMinutesAndSecondsWithHoursOnlyWhenThereAreAny) {
    EXPECT_EQ(FormatTime(MCI_MAKE_HMS(0, 5, 7), false), "5:07");
    EXPECT_EQ(FormatTime(MCI_MAKE_HMS(0, 5, 7), true), "5m:07s");
    EXPECT_EQ(FormatTime(MCI_MAKE_HMS(1, 5, 7), false), "1:05:07");
    EXPECT_EQ(FormatTime(MCI_MAKE_HMS(1, 5, 7), true), "1h:05m:07s");
    EXPECT_EQ(FormatTime(MCI_MAKE_HMS(0, 0, 0), true), "0m:00s");
    EXPECT_EQ(FormatTime(MCI_MAKE_HMS(0, 12, 30), false), "12:30");
}

TEST(PositionText, ReadsEachTimeFormatTheDeviceCanCountIn) {
    // Milliseconds are cut to whole seconds; minutes wrap above 255.
    EXPECT_EQ(PositionText(platform::MCI_FORMAT_MILLISECONDS, 65'999, 200'000, false),
              "1:05 / 3:20");
    EXPECT_EQ(PositionText(platform::MCI_FORMAT_MILLISECONDS, 4'000, 300 * 60'000, true),
              "0m:04s / 44m:00s");
    EXPECT_EQ(
        PositionText(platform::MCI_FORMAT_HMS, MCI_MAKE_HMS(0, 5, 7), MCI_MAKE_HMS(1, 5, 7), true),
        "5m:07s / 1h:05m:07s");
    EXPECT_EQ(PositionText(platform::MCI_FORMAT_FRAMES, 120, 450, true), "120 / 450 frames");
    const platform::DWORD anotherFormat = 7;
    EXPECT_EQ(PositionText(anotherFormat, 120, 450, false), "");
}

} // namespace
