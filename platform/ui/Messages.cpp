#include "platform/ui/Messages.h"

#include <QCoreApplication>

namespace platform {

MessageEvent::MessageEvent(UINT msg, WPARAM wParam, LPARAM lParam)
    : QEvent(EventType()), Msg(msg), WParam(wParam), LParam(lParam) {
}

QEvent::Type MessageEvent::EventType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

bool PostMessageA(QObject* window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!window)
        return false;
    QCoreApplication::postEvent(window, new MessageEvent(msg, wParam, lParam));
    return true;
}

} // namespace platform
