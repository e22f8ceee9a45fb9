#include "platform/ui/KeyPreview.h"

#include "platform/ui/Application.h"
#include "platform/ui/Keys.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

namespace platform {

KeyPreview::KeyPreview(QWidget* window) : QObject(window), FWindow(window) {
    QCoreApplication::instance()->installEventFilter(this);
}

// Keys come from the window system to a native window first and only then
// to the focused widget; watching them there sees each key once.
bool KeyPreview::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyRelease || !watched->isWindowType() || !OnKeyUp)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->isAutoRepeat())
        return false;
    const QWindow* own = FWindow->windowHandle();
    for (auto* window = static_cast<QWindow*>(watched); window; window = window->parent())
        if (window == own) {
            const WORD code = VirtualKeyOf(key->key());
            RunHandler([this, code] { OnKeyUp(code); });
            break;
        }
    return false;
}

} // namespace platform
