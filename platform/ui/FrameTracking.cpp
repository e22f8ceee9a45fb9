#include "platform/ui/FrameTracking.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace platform {
namespace {

// Every sizeable window of the program has the same frame.
QMargins knownFrame;

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
        if (!InNormalState(FWindow))
            return;
        FWindow->setGeometry(FOuter.marginsRemoved(FrameOf(FWindow)));
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

} // namespace

bool InNormalState(const QWidget* window) {
    return !(window->windowState() &
             (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
}

QMargins FrameOf(const QWidget* window) {
    const QWindow* handle = window->windowHandle();
    if (handle && handle->isVisible() && InNormalState(window)) {
        const QMargins margins = handle->frameMargins();
        if (!margins.isNull())
            knownFrame = margins;
    }
    return knownFrame;
}

QMargins KnownFrame() {
    return knownFrame;
}

QRect NormalFrameOf(QWidget* window) {
    if (const PendingFrameFit* pending = pendingFitOf(window))
        return pending->Outer();
    QRect normal = InNormalState(window) ? window->geometry() : window->normalGeometry();
    if (normal.isEmpty())
        normal = window->geometry();
    return normal.marginsAdded(FrameOf(window));
}

void FitFrameOnceFramed(QWidget* window, QRect outer) {
    new PendingFrameFit(window, outer);
}

void CancelFrameFit(QWidget* window) {
    delete pendingFitOf(window);
}

} // namespace platform
