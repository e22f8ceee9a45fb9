#include "platform/ui/WindowPlacement.h"

#include "platform/ui/Messages.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMargins>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QVariant>
#include <QWidget>
#include <QWindow>

namespace platform {

namespace {

// Windows' sizing frame, for as long as no window manager has told us its own.
constexpr int DefaultFrameWidth = 4;

const char* const FlagsProperty = "quelvoPlacementFlags";
const char* const MinPositionProperty = "quelvoMinPosition";
const char* const MaxPositionProperty = "quelvoMaxPosition";

QPointer<QWidget> mainWindow;
// The frame the window manager put round a normal window last; every
// sizeable window of the program has the same.
QMargins knownFrame;

QPoint workAreaOrigin() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry().topLeft() : QPoint();
}

bool inNormalState(const QWidget* window) {
    return !(window->windowState() &
             (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
}

QMargins frameOf(const QWidget* window) {
    const QWindow* handle = window->windowHandle();
    if (handle && handle->isVisible() && inNormalState(window)) {
        const QMargins margins = handle->frameMargins();
        if (!margins.isNull())
            knownFrame = margins;
    }
    return knownFrame;
}

// Gives a window that was placed before it had a frame the outer size it
// was meant to have, once the window manager has framed it.
class PendingFrameFit : public QObject {
public:
    PendingFrameFit(QWidget* window, QRect outer)
        : QObject(window), FWindow(window), FOuter(outer) {
        setObjectName(Name);
        window->installEventFilter(this);
        // The window manager may tell the frame after the window's last move,
        // resize and state event, so it is also looked for now and then; a
        // window nobody frames keeps the rectangle it was given.
        FLook.setInterval(LookInterval);
        connect(&FLook, &QTimer::timeout, this, [this] {
            if (++FLooks >= MaxLooks)
                FLook.stop();
            fit();
        });
        FLook.start();
    }
    static constexpr const char* Name = "quelvoPendingFrameFit";
    QRect Outer() const { return FOuter; }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Expose:
        case QEvent::WindowStateChange:
            fit();
            break;
        default:
            break;
        }
        return false;
    }

private:
    void fit() {
        const QWindow* handle = FWindow->windowHandle();
        if (!handle || !handle->isVisible() || handle->frameMargins().isNull())
            return;
        // A maximised or minimised window is corrected once it is normal:
        // correcting it now would pull it out of that state.
        if (!inNormalState(FWindow))
            return;
        FWindow->setGeometry(FOuter.marginsRemoved(frameOf(FWindow)));
        FLook.stop();
        deleteLater();
        FWindow->removeEventFilter(this);
    }

    static constexpr int LookInterval = 20; // ms
    static constexpr int MaxLooks = 250;

    QWidget* FWindow;
    QRect FOuter;
    QTimer FLook;
    int FLooks = 0;
};

PendingFrameFit* pendingFitOf(QWidget* window) {
    return dynamic_cast<PendingFrameFit*>(window->findChild<QObject*>(
        QLatin1String(PendingFrameFit::Name), Qt::FindDirectChildrenOnly));
}

QPoint pointProperty(const QWidget* window, const char* name) {
    const QVariant value = window->property(name);
    return value.isValid() ? value.toPoint() : QPoint(-1, -1);
}

// The hidden receiver of the application's system commands.
class ApplicationReceiver : public QObject {
public:
    using QObject::QObject;

protected:
    bool event(QEvent* event) override {
        if (event->type() != MessageEvent::EventType())
            return QObject::event(event);
        const auto* message = static_cast<MessageEvent*>(event);
        if (message->Msg == WM_SYSCOMMAND && (message->WParam & 0xFFF0) == SC_MINIMIZE)
            for (QWidget* window : QApplication::topLevelWidgets())
                if (window->isVisible() && window->isWindow() && window->windowType() == Qt::Window)
                    window->showMinimized();
        return true;
    }
};

// The normal rectangle of the outer frame, in screen coordinates.
QRect normalFrameOf(QWidget* window) {
    if (const PendingFrameFit* pending = pendingFitOf(window))
        return pending->Outer();
    QRect normal = inNormalState(window) ? window->geometry() : window->normalGeometry();
    if (normal.isEmpty())
        normal = window->geometry();
    return normal.marginsAdded(frameOf(window));
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

    const QRect outer = normalFrameOf(window).translated(-workAreaOrigin());
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
    if (inNormalState(window) && outer.isValid() && outer != normalFrameOf(window)) {
        delete pendingFitOf(window);
        const QWindow* handle = window->windowHandle();
        const bool framed = handle && handle->isVisible() && !handle->frameMargins().isNull();
        if (framed || !knownFrame.isNull()) {
            window->setGeometry(outer.marginsRemoved(frameOf(window)));
        } else {
            window->setGeometry(outer);
            new PendingFrameFit(window, outer);
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

QObject* ApplicationWindow() {
    static QPointer<QObject> receiver;
    if (!receiver)
        receiver = new ApplicationReceiver(QCoreApplication::instance());
    return receiver;
}

BOOL IsIconic(QObject* window) {
    if (window == ApplicationWindow()) {
        bool any = false;
        for (QWidget* topLevel : QApplication::topLevelWidgets()) {
            if (!topLevel->isVisible() || topLevel->windowType() != Qt::Window)
                continue;
            if (!topLevel->isMinimized())
                return 0;
            any = true;
        }
        return any;
    }
    const auto* widget = qobject_cast<const QWidget*>(window);
    return widget && widget->isMinimized();
}

void SetApplicationMainWindow(QWidget* window) {
    mainWindow = window;
}

QWidget* ApplicationMainWindow() {
    return mainWindow;
}

int GetSystemMetrics(int index) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    switch (index) {
    case SM_CXSCREEN:
        return screen ? screen->geometry().width() : 0;
    case SM_CYSCREEN:
        return screen ? screen->geometry().height() : 0;
    case SM_CXFRAME:
        return knownFrame.isNull() ? DefaultFrameWidth : knownFrame.left();
    case SM_CYFRAME:
        return knownFrame.isNull() ? DefaultFrameWidth : knownFrame.bottom();
    default:
        return 0;
    }
}

int ScreenPixelsPerInch() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? qRound(screen->logicalDotsPerInch()) : 96;
}

} // namespace platform
