#pragma once
// Private window messages. They are always posted: the receiver handles them
// from the event loop after the current handler has returned.
#include "platform/wintypes.h"

#include <QEvent>

class QObject;

namespace platform {

constexpr UINT WM_USER = 0x0400;

class MessageEvent : public QEvent {
public:
    MessageEvent(UINT msg, WPARAM wParam, LPARAM lParam);
    static QEvent::Type EventType();

    const UINT Msg;
    const WPARAM WParam;
    const LPARAM LParam;
};

// Queues the message for the window and returns at once; false when there is
// no window to post to.
bool PostMessageA(QObject* window, UINT msg, WPARAM wParam, LPARAM lParam);

} // namespace platform
