#pragma once
// Keeps the desktop from blanking the screen or locking the session for idleness
// while held: through the session's screensaver service, or the desktop
// portal where that is what the session offers.
#include <QDBusConnection>
#include <QObject>
#include <QString>

#include <cstdint>
#include <optional>

class QDBusPendingCallWatcher;

namespace platform {

class IdleInhibitor : public QObject {
public:
    // `application` and `reason` are what the desktop shows for the hold.
    IdleInhibitor(QString application, QString reason, QObject* parent = nullptr);
    // Lets go of a hold still in place before the program ends.
    ~IdleInhibitor() override;

    // Asks for the hold or lets it go. The desktop answers later; a hold
    // that was let go before the answer came is let go on its arrival.
    // Without a session bus, or with nothing to ask, nothing happens.
    void SetHeld(bool held);
    bool Held() const { return wanted_; }

private:
    enum class Service { ScreenSaver, Portal };
    void Ask(Service service);
    void Answered(QDBusPendingCallWatcher* call, Service service);
    void LetGo(bool waitForIt);

    const QString application_;
    const QString reason_;
    std::optional<QDBusConnection> bus_;
    bool wanted_ = false;
    bool asking_ = false;
    std::optional<std::uint32_t> cookie_; // a screensaver hold
    QString request_;                     // a portal hold: its request object
};

} // namespace platform
