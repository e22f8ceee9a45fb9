#include "display/GradientFill.h"

#include "tests/support/LibraryPresence.h"

#include <gtest/gtest.h>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPalette>

namespace {

const platform::TColor Violet = 6030630; // red 0x26, green 0x05, blue 0x5C

struct Canvas {
    QImage image{64, 40, QImage::Format_RGB32};
    Canvas() { image.fill(Qt::white); }

    bool Fill(platform::TColor start, platform::TColor end, bool vertical) {
        QPainter painter(&image);
        return FillGradient({0, 0, image.width(), image.height()}, &painter, start, end, vertical);
    }
    QColor At(int x, int y) const { return image.pixelColor(x, y); }
};

// Close enough to the exact colour: the ramp's end rows carry the vertex
// colours within a step of rounding.
::testing::AssertionResult Near(const QColor& actual, const QColor& expected) {
    const int distance = std::abs(actual.red() - expected.red()) +
                         std::abs(actual.green() - expected.green()) +
                         std::abs(actual.blue() - expected.blue());
    if (distance <= 6)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << actual.name().toStdString() << " is not near " << expected.name().toStdString();
}

// Runs first in a fresh process: once loaded, the service stays loaded.
TEST(FillGradient, WithoutTheServiceEveryCallFailsRetriesTheLoadAndDrawsNothing) {
    if (LibraryPresence::LoadAttempts("MSIMG32.DLL") > 0)
        GTEST_SKIP() << "the service was already loaded in this process";
    LibraryPresence::SetPresent("MSIMG32.DLL", false);
    Canvas canvas;
    EXPECT_FALSE(canvas.Fill(Violet, platform::clBlack, true));
    EXPECT_FALSE(canvas.Fill(Violet, platform::clBlack, true));
    EXPECT_EQ(LibraryPresence::LoadAttempts("MSIMG32.DLL"), 2);
    for (int y : {0, 20, 39})
        EXPECT_EQ(canvas.At(10, y), QColor(Qt::white));

    LibraryPresence::SetPresent("MSIMG32.DLL", true);
    EXPECT_TRUE(canvas.Fill(Violet, platform::clBlack, true)) << "a later call loads it";
}

TEST(FillGradient, VerticalRunsFromTheStartColourAtTheTopToTheEndColourAtTheBottom) {
    Canvas canvas;
    ASSERT_TRUE(canvas.Fill(Violet, platform::clBlack, true));
    for (int x : {0, 31, 63}) {
        EXPECT_TRUE(Near(canvas.At(x, 0), QColor(0x26, 0x05, 0x5C)));
        EXPECT_TRUE(Near(canvas.At(x, 39), QColor(0, 0, 0)));
    }
    EXPECT_TRUE(Near(canvas.At(5, 20), QColor(0x13, 0x03, 0x2E))) << "half way";
}

TEST(FillGradient, HorizontalRunsFromLeftToRight) {
    Canvas canvas;
    ASSERT_TRUE(canvas.Fill(Violet, platform::clBlack, false));
    for (int y : {0, 39}) {
        EXPECT_TRUE(Near(canvas.At(0, y), QColor(0x26, 0x05, 0x5C)));
        EXPECT_TRUE(Near(canvas.At(63, y), QColor(0, 0, 0)));
    }
}

TEST(FillGradient, SystemColoursAreDrawnInTheirCurrentValue) {
    Canvas canvas;
    ASSERT_TRUE(
        canvas.Fill(platform::clSystemColor | platform::COLOR_BTNFACE, platform::clWhite, true));
    EXPECT_TRUE(Near(canvas.At(0, 0), QGuiApplication::palette().color(QPalette::Button)));
}

TEST(FillGradient, EqualColoursGiveAUniformFill) {
    Canvas canvas;
    ASSERT_TRUE(canvas.Fill(Violet, Violet, true));
    for (int y : {0, 13, 39})
        EXPECT_EQ(canvas.At(7, y), QColor(0x26, 0x05, 0x5C));
}

} // namespace
