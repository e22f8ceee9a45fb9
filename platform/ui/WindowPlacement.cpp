#include "platform/ui/WindowPlacement.h"

#include "platform/ui/FrameTracking.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVariant>
#include <QWidget>
#include <QWindow>

namespace platform {
namespace {

const char* const FlagsProperty = "quelvoPlacementFlags";
const char* const MinPositionProperty = "quelvoMinPosition";
const char* const MaxPositionProperty = "quelvoMaxPosition";

QPoint workAreaOrigin() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry().topLeft() : QPoint();
}

QPoint pointProperty(const QWidget* window, const char* name) {
    const QVariant value = window->property(name);
    return value.isValid() ? value.toPoint() : QPoint(-1, -1);
}

} // namespace

BOOL GetWindowPlacement(QWidget* window, WINDOWPLACEMENT* placement) {
    if (!window || !placement || !window->isWindow())
        return 0;
    const Qt::WindowStates state = window->windowState();
    placement->flags = window->property(FlagsProperty).toUInt() & WPF_SETMINPOSITION;
    if (state & Qt::WindowMinimized) {
        placement->showCmd = SW_SHOWMINIMIZED;
        if (state & (Qt::WindowMaximized | Qt::WindowFullScreen))
            placement->flags |= WPF_RESTORETOMAXIMIZED;
    } else if (state & (Qt::WindowMaximized | Qt::WindowFullScreen)) {
        placement->showCmd = SW_SHOWMAXIMIZED;
    } else {
        placement->showCmd = SW_SHOWNORMAL;
    }
    const QPoint minimised = pointProperty(window, MinPositionProperty);
    const QPoint maximised = pointProperty(window, MaxPositionProperty);
    placement->ptMinPosition = {minimised.x(), minimised.y()};
    placement->ptMaxPosition = {maximised.x(), maximised.y()};

    const QRect outer = NormalFrameOf(window).translated(-workAreaOrigin());
    placement->rcNormalPosition = {outer.left(), outer.top(), outer.left() + outer.width(),
                                   outer.top() + outer.height()};
    return 1;
}

BOOL SetWindowPlacement(QWidget* window, const WINDOWPLACEMENT* placement) {
    if (!window || !placement || !window->isWindow())
        return 0;
    window->setProperty(FlagsProperty, placement->flags);
    window->setProperty(MinPositionProperty,
                        QPoint(placement->ptMinPosition.x, placement->ptMinPosition.y));
    window->setProperty(MaxPositionProperty,
                        QPoint(placement->ptMaxPosition.x, placement->ptMaxPosition.y));

    const RECT& r = placement->rcNormalPosition;
    const QRect outer = QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1))
                            .translated(workAreaOrigin());
    // Handing a window its own rectangle back changes nothing.
    if (InNormalState(window) && outer.isValid() && outer != NormalFrameOf(window)) {
        CancelFrameFit(window);
        const QWindow* handle = window->windowHandle();
        const bool framed = handle && handle->isVisible() && !handle->frameMargins().isNull();
        if (framed || !KnownFrame().isNull()) {
            window->setGeometry(outer.marginsRemoved(FrameOf(window)));
        } else {
            window->setGeometry(outer);
            FitFrameOnceFramed(window, outer);
        }
    }

    switch (placement->showCmd) {
    case SW_HIDE:
        break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
        window->showMinimized();
        break;
    case SW_SHOWMAXIMIZED:
        window->showMaximized();
        break;
    case SW_SHOW:
        window->show();
        break;
    default:
        window->showNormal();
        break;
    }
    return 1;
}

BOOL IsWindowVisible(QWidget* window) {
    if (!window || !window->isVisible())
        return 0;
    const QWindow* handle = window->window()->windowHandle();
    return handle && handle->isVisible();
}

} // namespace platform
