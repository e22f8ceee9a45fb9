#include "platform/desktop/idle_inhibitor.h"

#include "platform/desktop/session_bus.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

namespace platform {
namespace {

const QString ScreenSaverName = QStringLiteral("org.freedesktop.ScreenSaver");
const QString ScreenSaverPath = QStringLiteral("/org/freedesktop/ScreenSaver");
const QString PortalName = QStringLiteral("org.freedesktop.portal.Desktop");
const QString PortalPath = QStringLiteral("/org/freedesktop/portal/desktop");

// The portal's flag for "the session must not count as idle".
constexpr std::uint32_t InhibitIdle = 8;
// A release at exit waits at most this long for the desktop.
constexpr int ExitReleaseTimeoutMs = 500;

} // namespace

IdleInhibitor::IdleInhibitor(QString application, QString reason, QObject* parent)
    : QObject(parent), FApplication(std::move(application)), FReason(std::move(reason)),
      FBus(SessionBus()) {
}

IdleInhibitor::~IdleInhibitor() {
    FWanted = false;
    LetGo(true);
}

void IdleInhibitor::SetHeld(bool held) {
    if (held == FWanted)
        return;
    FWanted = held;
    if (!FBus || FAsking)
        return;
    if (held)
        Ask(Service::ScreenSaver);
    else
        LetGo(false);
}

void IdleInhibitor::Ask(Service service) {
    QDBusMessage call;
    if (service == Service::ScreenSaver) {
        call = QDBusMessage::createMethodCall(ScreenSaverName, ScreenSaverPath, ScreenSaverName,
                                              QStringLiteral("Inhibit"));
        call << FApplication << FReason;
    } else {
        call = QDBusMessage::createMethodCall(PortalName, PortalPath,
                                              QStringLiteral("org.freedesktop.portal.Inhibit"),
                                              QStringLiteral("Inhibit"));
        call << QString() << InhibitIdle << QVariantMap{{QStringLiteral("reason"), FReason}};
    }
    FAsking = true;
    auto* watcher = new QDBusPendingCallWatcher(FBus->asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, service](QDBusPendingCallWatcher* answered) { Answered(answered, service); });
}

// A session without a screensaver service may still have the portal; a
// session with neither simply keeps its idle rules.
void IdleInhibitor::Answered(QDBusPendingCallWatcher* call, Service service) {
    call->deleteLater();
    FAsking = false;
    const QDBusMessage reply = call->reply();
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        if (service == Service::ScreenSaver && FWanted)
            Ask(Service::Portal);
        return;
    }
    if (service == Service::ScreenSaver)
        FCookie = reply.arguments().first().toUInt();
    else
        FRequest = qvariant_cast<QDBusObjectPath>(reply.arguments().first()).path();
    if (!FWanted)
        LetGo(false);
}

void IdleInhibitor::LetGo(bool waitForIt) {
    if (!FBus)
        return;
    QDBusMessage call;
    if (FCookie) {
        call = QDBusMessage::createMethodCall(ScreenSaverName, ScreenSaverPath, ScreenSaverName,
                                              QStringLiteral("UnInhibit"));
        call << *FCookie;
        FCookie.reset();
    } else if (!FRequest.isEmpty()) {
        call = QDBusMessage::createMethodCall(PortalName, FRequest,
                                              QStringLiteral("org.freedesktop.portal.Request"),
                                              QStringLiteral("Close"));
        FRequest.clear();
    } else {
        return;
    }
    if (waitForIt)
        FBus->call(call, QDBus::Block, ExitReleaseTimeoutMs);
    else
        FBus->asyncCall(call);
}

} // namespace platform
