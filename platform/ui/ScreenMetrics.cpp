// The primary screen's size and pixels per inch, and the sizing frame's size.
#include "platform/ui/WindowPlacement.h"

#include "platform/ui/FrameTracking.h"

#include <QGuiApplication>
#include <QScreen>

namespace platform {
namespace {

// Windows' sizing frame, for as long as no window manager has told us its own.
constexpr int DefaultFrameWidth = 4;

} // namespace

int GetSystemMetrics(int index) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QMargins frame = KnownFrame();
    switch (index) {
    case SM_CXSCREEN:
        return screen ? screen->geometry().width() : 0;
    case SM_CYSCREEN:
        return screen ? screen->geometry().height() : 0;
    case SM_CXFRAME:
        return frame.isNull() ? DefaultFrameWidth : frame.left();
    case SM_CYFRAME:
        return frame.isNull() ? DefaultFrameWidth : frame.bottom();
    default:
        return 0;
    }
}

int ScreenPixelsPerInch() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? qRound(screen->logicalDotsPerInch()) : 96;
}

} // namespace platform
