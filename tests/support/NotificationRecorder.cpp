#include "tests/support/NotificationRecorder.h"

#include "platform/ui/Messages.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>

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

bool RunEventsUntil(const std::function<bool()>& done) {
    QDeadlineTimer bound(60000);
    QTimer wake; // so that the wait below ends even when nothing else happens
    wake.start(10);
    while (!done()) {
        if (bound.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}
