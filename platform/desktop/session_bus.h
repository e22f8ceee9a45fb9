#pragma once
// The desktop session's message bus, where there is one.
#include <optional>
#include <QDBusConnection>

namespace platform {

// The session bus when the session has one the program can reach. Without
// one, nothing: no bus is started on the program's behalf and nothing is
// printed, so a program started outside a desktop session runs quietly.
std::optional<QDBusConnection> SessionBus();

} // namespace platform
