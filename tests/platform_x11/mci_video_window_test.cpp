// The video driver's picture on a real X server: it shows inside the
// destination rectangle of the display window, and nowhere else.
#include "platform/mci/mci.h"
#include "platform/system_defaults.h"
#include "tests/support/NotificationRecorder.h"
#include "tests/support/TestMedia.h"

#include <gtest/gtest.h>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QWidget>
#include <QWindow>

using namespace platform;

namespace {

const QColor background(40, 200, 90);

struct Counts {
    int picture = 0;    // pixels that are not the background
    int background = 0; // pixels that are
};

Counts countPixels(const QImage& image, const QRect& area) {
    Counts counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++(image.pixelColor(x, y) == background ? counts.background : counts.picture);
    return counts;
}

TEST(VideoWindow, ThePictureFillsTheDestinationRectangleAndNothingElse) {
    EnsureSystemDefaults();
    QWidget window;
    window.setWindowTitle("video window test");
    window.setAutoFillBackground(true);
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, background);
    window.setPalette(palette);
    window.resize(640, 480);
    window.show();
    ASSERT_TRUE(RunEventsUntil([&] { return window.windowHandle()->isExposed(); }));

    const std::string clip = TestMedia::PalVcdClip();
    MCI_OPEN_PARMSA open{};
    open.lpstrElementName = clip.c_str();
    ASSERT_EQ(mciSendCommandA(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_WAIT,
                              reinterpret_cast<DWORD_PTR>(&open)),
              0u);
    const MCIDEVICEID device = open.wDeviceID;
    MCI_ANIM_WINDOW_PARMSA display{0, &window, 0, nullptr};
    ASSERT_EQ(mciSendCommandA(device, MCI_WINDOW, MCI_ANIM_WINDOW_HWND,
                              reinterpret_cast<DWORD_PTR>(&display)),
              0u);
    const QRect destination(150, 100, 320, 240);
    MCI_ANIM_RECT_PARMS put{
        0, {destination.x(), destination.y(), destination.width(), destination.height()}};
    ASSERT_EQ(mciSendCommandA(device, MCI_PUT, MCI_ANIM_RECT | MCI_ANIM_PUT_DESTINATION,
                              reinterpret_cast<DWORD_PTR>(&put)),
              0u);
    MCI_GENERIC_PARMS play{0};
    ASSERT_EQ(mciSendCommandA(device, MCI_PLAY, 0, reinterpret_cast<DWORD_PTR>(&play)), 0u);

    // Until the first pictures are on the screen.
    QImage shot;
    ASSERT_TRUE(RunEventsUntil([&] {
        shot = window.screen()->grabWindow(window.winId()).toImage();
        return countPixels(shot, destination).picture >
               destination.width() * destination.height() * 9 / 10;
    })) << "no picture appeared";

    const Counts inside = countPixels(shot, destination);
    EXPECT_GT(inside.picture, destination.width() * destination.height() * 9 / 10);
    // Its edges are the rectangle's: the rows and columns just inside carry
    // picture, everything outside is the window's own background.
    const QRect edges[] = {
        {destination.left(), destination.top(), destination.width(), 1},
        {destination.left(), destination.bottom(), destination.width(), 1},
        {destination.left(), destination.top(), 1, destination.height()},
        {destination.right(), destination.top(), 1, destination.height()},
    };
    for (const QRect& edge : edges)
        EXPECT_GT(countPixels(shot, edge).picture, (edge.width() + edge.height()) / 2)
            << "edge at " << edge.x() << "," << edge.y();
    const Counts whole = countPixels(shot, shot.rect());
    EXPECT_EQ(whole.picture, inside.picture) << "picture outside the destination";

    MCI_GENERIC_PARMS close{0};
    EXPECT_EQ(mciSendCommandA(device, MCI_CLOSE, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&close)),
              0u);
}

} // namespace
