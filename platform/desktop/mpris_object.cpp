#include "platform/desktop/mpris_object.h"

#include <QDBusMessage>
#include <QTimer>

namespace platform {

namespace {
const QString ObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");
}

MprisObject::MprisObject(QDBusConnection bus, QString identity, QString desktopEntry,
                         MediaCommands commands)
    : Identity(std::move(identity)), DesktopEntry(std::move(desktopEntry)),
      Commands(std::move(commands)), Bus(std::move(bus)) {
}

QDBusObjectPath MprisObject::TrackId() const {
    if (State.track <= 0)
        return QDBusObjectPath(QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack"));
    return QDBusObjectPath(QStringLiteral("/org/mpris/MediaPlayer2/Track/%1").arg(State.track));
}

QVariantMap MprisObject::Metadata() const {
    QVariantMap metadata{{QStringLiteral("mpris:trackid"), QVariant::fromValue(TrackId())}};
    if (State.track <= 0)
        return metadata;
    metadata.insert(QStringLiteral("xesam:trackNumber"), State.track);
    metadata.insert(QStringLiteral("xesam:title"), State.title);
    if (!State.album.isEmpty())
        metadata.insert(QStringLiteral("xesam:album"), State.album);
    if (State.length > 0)
        metadata.insert(QStringLiteral("mpris:length"), qlonglong{State.length});
    return metadata;
}

QString MprisObject::PlaybackStatus() const {
    switch (State.playback) {
    case PlaybackState::Playing:
        return QStringLiteral("Playing");
    case PlaybackState::Paused:
        return QStringLiteral("Paused");
    case PlaybackState::Stopped:
        break;
    }
    return QStringLiteral("Stopped");
}

void MprisObject::Later(const std::function<void()>& command) {
    if (command)
        QTimer::singleShot(0, this, command);
}

void MprisObject::Announce(const QString& interfaceName, const QVariantMap& changed) {
    if (changed.isEmpty())
        return;
    QDBusMessage signal =
        QDBusMessage::createSignal(ObjectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                   QStringLiteral("PropertiesChanged"));
    signal << interfaceName << changed << QStringList();
    Bus.send(signal);
}

MprisRootAdaptor::MprisRootAdaptor(MprisObject* object)
    : QDBusAbstractAdaptor(object), object_(object) {
}

void MprisRootAdaptor::Raise() {
    object_->Later(object_->Commands.Raise);
}

void MprisRootAdaptor::Quit() {
    object_->Later(object_->Commands.Quit);
}

MprisPlayerAdaptor::MprisPlayerAdaptor(MprisObject* object)
    : QDBusAbstractAdaptor(object), object_(object) {
}

qlonglong MprisPlayerAdaptor::Position() const {
    return object_->Commands.Position ? object_->Commands.Position() : 0;
}

void MprisPlayerAdaptor::Play() {
    object_->Later(object_->Commands.Play);
}

void MprisPlayerAdaptor::Pause() {
    object_->Later(object_->Commands.Pause);
}

void MprisPlayerAdaptor::PlayPause() {
    object_->Later(object_->Commands.PlayPause);
}

void MprisPlayerAdaptor::Stop() {
    object_->Later(object_->Commands.Stop);
}

void MprisPlayerAdaptor::Next() {
    object_->Later(object_->Commands.Next);
}

void MprisPlayerAdaptor::Previous() {
    object_->Later(object_->Commands.Previous);
}

void MprisPlayerAdaptor::Seek(qlonglong Offset) {
    if (!object_->State.canSeek || !object_->Commands.Seek)
        return;
    const auto seek = object_->Commands.Seek;
    object_->Later([seek, Offset] { seek(Offset); });
}

// A request for a track that is no longer the current one is stale: the
// desktop asked before it saw the change, and is ignored.
void MprisPlayerAdaptor::SetPosition(const QDBusObjectPath& TrackId, qlonglong Position) {
    if (!object_->State.canSeek || !object_->Commands.SetPosition ||
        TrackId != object_->TrackId() || Position < 0 || Position > object_->State.length)
        return;
    const auto setPosition = object_->Commands.SetPosition;
    object_->Later([setPosition, Position] { setPosition(Position); });
}

} // namespace platform
