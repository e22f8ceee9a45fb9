// The video driver's picture on a real X server, drawn either way: it shows
// inside the destination rectangle of the display window and nowhere else,
// and a device without a display window shows it in a window of its own.
#include "platform/mci/drivers/mpv/video_renderer.h"
#include "platform/mci/mci.h"
#include "platform/mci/system_defaults.h"
#include "tests/support/EventLoop.h"
#include "tests/support/NotificationRecorder.h"
#include "tests/support/TestMedia.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <QWindow>

using namespace platform;
using mci::VideoRenderer;

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

// Pixels of clear colour: the test picture has plenty, an empty surface none.
int colouredPixels(const QImage& image, const QRect& area) {
    int coloured = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            coloured += image.pixelColor(x, y).hsvSaturation() > 100 ? 1 : 0;
    return coloured;
}

MCIDEVICEID openClip() {
    const std::string clip = TestMedia::PalVcdClip();
    MCI_OPEN_PARMSA open{};
    open.lpstrElementName = clip.c_str();
    EXPECT_EQ(mciSendCommandA(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_WAIT,
                              reinterpret_cast<DWORD_PTR>(&open)),
              0u);
    return open.wDeviceID;
}

// Shows `window` at 640 x 480 and opens the clip with its pictures in it.
void openClipIn(QWidget& window, MCIDEVICEID& device) {
    window.resize(640, 480);
    window.show();
    ASSERT_TRUE(RunEventsUntil([&] { return window.windowHandle()->isExposed(); }));
    device = openClip();
    MCI_ANIM_WINDOW_PARMSA display{0, &window, 0, nullptr};
    ASSERT_EQ(mciSendCommandA(device, MCI_WINDOW, MCI_ANIM_WINDOW_HWND,
                              reinterpret_cast<DWORD_PTR>(&display)),
              0u);
}

void play(MCIDEVICEID device) {
    MCI_GENERIC_PARMS parameters{0};
    ASSERT_EQ(mciSendCommandA(device, MCI_PLAY, 0, reinterpret_cast<DWORD_PTR>(&parameters)), 0u);
}

void close(MCIDEVICEID device) {
    MCI_GENERIC_PARMS parameters{0};
    EXPECT_EQ(
        mciSendCommandA(device, MCI_CLOSE, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&parameters)), 0u);
}

class VideoWindow : public ::testing::TestWithParam<VideoRenderer> {
protected:
    void SetUp() override {
        EnsureSystemDefaults();
        mci::SetVideoRenderer(GetParam());
    }
    void TearDown() override { mci::SetVideoRenderer(std::nullopt); }
};

TEST_P(VideoWindow, ThePictureFillsTheDestinationRectangleAndNothingElse) {
    QWidget window;
    window.setWindowTitle("video window test");
    window.setAutoFillBackground(true);
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, background);
    window.setPalette(palette);
    MCIDEVICEID device = 0;
    ASSERT_NO_FATAL_FAILURE(openClipIn(window, device));
    const QRect destination(150, 100, 320, 240);
    MCI_ANIM_RECT_PARMS put{
        0, {destination.x(), destination.y(), destination.width(), destination.height()}};
    ASSERT_EQ(mciSendCommandA(device, MCI_PUT, MCI_ANIM_RECT | MCI_ANIM_PUT_DESTINATION,
                              reinterpret_cast<DWORD_PTR>(&put)),
              0u);
    play(device);

    // Until the first pictures are on the screen: the surface is black
    // before the first frame is drawn, and a loaded machine may show that.
    QImage shot;
    ASSERT_TRUE(RunEventsUntil([&] {
        shot = window.screen()->grabWindow(window.winId()).toImage();
        return countPixels(shot, destination).picture >
                   destination.width() * destination.height() * 9 / 10 &&
               colouredPixels(shot, destination) > destination.width() * destination.height() / 4;
    })) << "no picture appeared";

    const Counts inside = countPixels(shot, destination);
    EXPECT_GT(inside.picture, destination.width() * destination.height() * 9 / 10);
    EXPECT_GT(colouredPixels(shot, destination), destination.width() * destination.height() / 4)
        << "the picture itself, not an empty surface";
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

    close(device);
}

QWidget* videoWindowOfItsOwn() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible())
            return widget;
    }
    return nullptr;
}

TEST_P(VideoWindow, WithoutADisplayWindowPlayShowsAWindowOfItsOwnAndClosingItOnlyHidesIt) {
    const MCIDEVICEID device = openClip();
    EXPECT_EQ(videoWindowOfItsOwn(), nullptr) << "nothing shows before the play";
    play(device);
    QWidget* own = nullptr;
    ASSERT_TRUE(RunEventsUntil([&] { return (own = videoWindowOfItsOwn()) != nullptr; }));
    EXPECT_EQ(own->windowTitle(), QGuiApplication::applicationDisplayName());
    EXPECT_EQ(own->size(), QSize(384, 288)) << "the picture's natural size";

    own->close();
    EXPECT_FALSE(own->isVisible());
    MCI_STATUS_PARMS mode{0, 0, MCI_STATUS_MODE, 0};
    ASSERT_EQ(
        mciSendCommandA(device, MCI_STATUS, MCI_STATUS_ITEM, reinterpret_cast<DWORD_PTR>(&mode)),
        0u);
    EXPECT_EQ(mode.dwReturn, MCI_MODE_PLAY) << "the device plays on";
    MCI_GENERIC_PARMS stop{0};
    ASSERT_EQ(mciSendCommandA(device, MCI_STOP, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&stop)), 0u);
    play(device);
    EXPECT_TRUE(own->isVisible()) << "the next play shows it again";
    close(device);
    EXPECT_EQ(videoWindowOfItsOwn(), nullptr) << "the window goes with the device";
}

// Records the double-clicks that reach the display window.
class DisplayWindow : public QWidget {
public:
    int DoubleClicks = 0;

protected:
    void mouseDoubleClickEvent(QMouseEvent*) override { ++DoubleClicks; }
};

TEST_P(VideoWindow, ADoubleClickOnThePictureReachesTheDisplayWindow) {
    DisplayWindow window;
    MCIDEVICEID device = 0;
    ASSERT_NO_FATAL_FAILURE(openClipIn(window, device));
    play(device);
    ASSERT_TRUE(RunEventsUntil([&] { return window.findChild<QWidget*>() != nullptr; }));
    QTest::qWait(300); // the surface is mapped and drawing

    // A real pointer on the X server, not an event made up inside the process.
    const QPoint centre = window.mapToGlobal(QPoint(320, 240));
    QProcess xdotool;
    xdotool.start("xdotool", {"mousemove", QString::number(centre.x()), QString::number(centre.y()),
                              "click", "--repeat", "2", "--delay", "60", "1"});
    ASSERT_TRUE(xdotool.waitForFinished(5000));
    EXPECT_TRUE(RunEventsUntil([&] { return window.DoubleClicks > 0; }));
    close(device);
}

INSTANTIATE_TEST_SUITE_P(EachRenderer, VideoWindow,
                         ::testing::Values(VideoRenderer::openGL, VideoRenderer::software),
                         [](const auto& info) {
                             return info.param == VideoRenderer::openGL ? "OpenGL" : "Software";
                         });

} // namespace
