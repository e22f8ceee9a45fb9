#include "tests/support/NotificationRecorder.h"

#include "tests/support/EventLoop.h"

#include "platform/ui/Messages.h"

#include <QCoreApplication>

bool NotificationRecorder::event(QEvent* event) {
    if (event->type() != platform::MessageEvent::EventType())
        return QObject::event(event);
    const auto* message = static_cast<platform::MessageEvent*>(event);
    if (message->Msg == platform::MM_MCINOTIFY)
        Received.push_back({static_cast<platform::DWORD>(message->WParam),
                            static_cast<platform::MCIDEVICEID>(message->LParam)});
    return true;
}

void NotificationRecorder::Deliver() {
    QCoreApplication::sendPostedEvents(this);
}

bool NotificationRecorder::WaitFor(std::size_t count) {
    return RunEventsUntil([&] { return Received.size() >= count; });
}
