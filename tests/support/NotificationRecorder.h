#pragma once
// A callback window for media commands: records every MM_MCINOTIFY it gets.
#include "platform/mci/mci.h"

#include <QObject>
#include <vector>

struct Notification {
    platform::DWORD result;
    platform::MCIDEVICEID device;
    bool operator==(const Notification&) const = default;
};

class NotificationRecorder : public QObject {
public:
    // What to pass as dwCallback.
    platform::DWORD_PTR Window() { return reinterpret_cast<platform::DWORD_PTR>(this); }

    std::vector<Notification> Received;

    // Delivers what is already posted.
    void Deliver();
    // Runs the event loop until `count` notifications have come (false if they
    // have not within a generous bound, so a broken test fails instead of hanging).
    bool WaitFor(std::size_t count);

protected:
    bool event(QEvent* event) override;
};
