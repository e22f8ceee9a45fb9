#include "platform/desktop/session_bus.h"

#include <QFileInfo>

namespace platform {
namespace {

// The bus's address comes from the session's environment, or from the
// socket a user-session manager keeps in the runtime folder. Asking the bus
// library without either would make it try to start a bus of its own.
bool SessionHasBus() {
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return true;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QFileInfo(runtime + QStringLiteral("/bus")).exists();
}

} // namespace

std::optional<QDBusConnection> SessionBus() {
    if (!SessionHasBus())
        return std::nullopt;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return std::nullopt;
    return bus;
}

} // namespace platform
