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
    : QObject(parent), application_(std::move(application)), reason_(std::move(reason)),
      bus_(SessionBus()) {
}

IdleInhibitor::~IdleInhibitor() {
    wanted_ = false;
    LetGo(true);
}

void IdleInhibitor::SetHeld(bool held) {
    if (held == wanted_)
        return;
    wanted_ = held;
    if (!bus_ || asking_)
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
        call << application_ << reason_;
    } else {
        call = QDBusMessage::createMethodCall(PortalName, PortalPath,
                                              QStringLiteral("org.freedesktop.portal.Inhibit"),
                                              QStringLiteral("Inhibit"));
        call << QString() << InhibitIdle << QVariantMap{{QStringLiteral("reason"), reason_}};
    }
    asking_ = true;
    auto* watcher = new QDBusPendingCallWatcher(bus_->asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, service](QDBusPendingCallWatcher* answered) { Answered(answered, service); });
}

// A session without a screensaver service may still have the portal; a
// session with neither simply keeps its idle rules.
void IdleInhibitor::Answered(QDBusPendingCallWatcher* call, Service service) {
    call->deleteLater();
    asking_ = false;
    const QDBusMessage reply = call->reply();
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        if (service == Service::ScreenSaver && wanted_)
            Ask(Service::Portal);
        return;
    }
    if (service == Service::ScreenSaver)
        cookie_ = reply.arguments().first().toUInt();
    else
        request_ = qvariant_cast<QDBusObjectPath>(reply.arguments().first()).path();
    if (!wanted_)
        LetGo(false);
}

void IdleInhibitor::LetGo(bool waitForIt) {
    if (!bus_)
        return;
    QDBusMessage call;
    if (cookie_) {
        call = QDBusMessage::createMethodCall(ScreenSaverName, ScreenSaverPath, ScreenSaverName,
                                              QStringLiteral("UnInhibit"));
        call << *cookie_;
        cookie_.reset();
    } else if (!request_.isEmpty()) {
        call = QDBusMessage::createMethodCall(PortalName, request_,
                                              QStringLiteral("org.freedesktop.portal.Request"),
                                              QStringLiteral("Close"));
        request_.clear();
    } else {
        return;
    }
    if (waitForIt)
        bus_->call(call, QDBus::Block, ExitReleaseTimeoutMs);
    else
        bus_->asyncCall(call);
}

} // namespace platform
