#pragma once
// One open device: its driver and the notification rules of mci.h, which are
// the same whatever the driver.
#include "platform/mci/driver.h"

#include <memory>
#include <optional>
#include <QObject>
#include <QPointer>
#include <string>

namespace platform::mci {

class Device final : public DriverEvents {
public:
    Device(MCIDEVICEID id, const DriverFactory& factory);
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    MCIERROR Open(const std::string& element);
    // Runs every command but open and close, with its notifications.
    MCIERROR Command(UINT message, DWORD flags, DWORD_PTR params);

    // How a command that succeeded bears on the pending play notification.
    enum class Effect {
        none,     // it finishes now; its own notification may replace the pending one
        endsPlay, // stop, seek, step, close: the pending notification is aborted
        playsOn,  // play, resume: its own notification waits for the end of the media
    };
    void Completed(DWORD flags, DWORD_PTR callback, Effect effect);

    void PlaybackEnded(PlaybackEnd how) override;

private:
    void finishPending(DWORD result);
    void post(QObject* window, DWORD result) const;

    const MCIDEVICEID id_;
    std::unique_ptr<Driver> driver_;
    QPointer<QObject> pending_;
    bool inCommand_ = false;
    // An end the driver told while a command ran, for the notification that
    // command leaves pending.
    std::optional<PlaybackEnd> endedInCommand_;
};

} // namespace platform::mci
