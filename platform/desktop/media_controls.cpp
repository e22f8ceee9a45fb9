#include "platform/desktop/media_controls.h"

#include "platform/desktop/mpris_object.h"
#include "platform/desktop/session_bus.h"

namespace platform {

std::unique_ptr<MediaControls> MediaControls::Register(const QString& playerName,
                                                       const QString& identity,
                                                       const QString& desktopEntry,
                                                       MediaCommands commands) {
    std::optional<QDBusConnection> bus = SessionBus();
    if (!bus)
        return nullptr;
    auto object = std::make_unique<MprisObject>(*bus, identity, desktopEntry, std::move(commands));
    new MprisRootAdaptor(object.get());
    new MprisPlayerAdaptor(object.get());
    if (!bus->registerObject(QStringLiteral("/org/mpris/MediaPlayer2"), object.get()))
        return nullptr;
    if (!bus->registerService(QStringLiteral("org.mpris.MediaPlayer2.") + playerName)) {
        bus->unregisterObject(QStringLiteral("/org/mpris/MediaPlayer2"));
        return nullptr;
    }
    return std::unique_ptr<MediaControls>(new MediaControls(std::move(object)));
}

MediaControls::MediaControls(std::unique_ptr<MprisObject> object) : object_(std::move(object)) {
}

MediaControls::~MediaControls() {
    object_->Bus.unregisterObject(QStringLiteral("/org/mpris/MediaPlayer2"));
}

void MediaControls::Update(const MediaState& state) {
    const MediaState before = object_->State;
    if (state == before)
        return;
    object_->State = state;
    QVariantMap changed;
    if (state.playback != before.playback)
        changed.insert(QStringLiteral("PlaybackStatus"), object_->PlaybackStatus());
    if (state.track != before.track || state.album != before.album || state.title != before.title ||
        state.length != before.length)
        changed.insert(QStringLiteral("Metadata"), object_->Metadata());
    if (state.canGoNext != before.canGoNext)
        changed.insert(QStringLiteral("CanGoNext"), state.canGoNext);
    if (state.canGoPrevious != before.canGoPrevious)
        changed.insert(QStringLiteral("CanGoPrevious"), state.canGoPrevious);
    if (state.canPlay != before.canPlay) {
        changed.insert(QStringLiteral("CanPlay"), state.canPlay);
        changed.insert(QStringLiteral("CanPause"), state.canPlay);
    }
    if (state.canSeek != before.canSeek)
        changed.insert(QStringLiteral("CanSeek"), state.canSeek);
    object_->Announce(QStringLiteral("org.mpris.MediaPlayer2.Player"), changed);
}

void MediaControls::Seeked(std::int64_t position) {
    for (auto* adaptor : object_->findChildren<MprisPlayerAdaptor*>())
        emit adaptor->Seeked(position);
}

} // namespace platform
