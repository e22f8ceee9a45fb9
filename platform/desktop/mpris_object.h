#pragma once
// The bus object behind MediaControls: the root and player interfaces of a
// media player at /org/mpris/MediaPlayer2.
#include "platform/desktop/media_controls.h"

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QStringList>
#include <QVariantMap>

namespace platform {

class MprisObject : public QObject {
    Q_OBJECT
public:
    MprisObject(QDBusConnection bus, QString identity, QString desktopEntry,
                MediaCommands commands);

    const QString Identity;
    const QString DesktopEntry;
    const MediaCommands Commands;
    MediaState State;

    QDBusConnection Bus;

    // The object path naming the current track; a fixed "no track" path
    // when none is chosen.
    QDBusObjectPath TrackId() const;
    QVariantMap Metadata() const;
    QString PlaybackStatus() const;

    // Runs a command from the event loop, after the bus call is answered.
    void Later(const std::function<void()>& command);
    // Sends the changed properties of `interfaceName`.
    void Announce(const QString& interfaceName, const QVariantMap& changed);
};

class MprisRootAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
    Q_PROPERTY(bool CanQuit READ CanQuit)
    Q_PROPERTY(bool CanRaise READ CanRaise)
    Q_PROPERTY(bool HasTrackList READ HasTrackList)
    Q_PROPERTY(QString Identity READ Identity)
    Q_PROPERTY(QString DesktopEntry READ DesktopEntry)
    Q_PROPERTY(QStringList SupportedUriSchemes READ SupportedUriSchemes)
    Q_PROPERTY(QStringList SupportedMimeTypes READ SupportedMimeTypes)
public:
    explicit MprisRootAdaptor(MprisObject* object);

    bool CanQuit() const { return true; }
    bool CanRaise() const { return true; }
    bool HasTrackList() const { return false; }
    QString Identity() const { return object_->Identity; }
    QString DesktopEntry() const { return object_->DesktopEntry; }
    QStringList SupportedUriSchemes() const { return {}; }
    QStringList SupportedMimeTypes() const { return {}; }

public slots:
    void Raise();
    void Quit();

private:
    MprisObject* object_;
};

class MprisPlayerAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
    Q_PROPERTY(QString PlaybackStatus READ PlaybackStatus)
    Q_PROPERTY(double Rate READ Rate)
    Q_PROPERTY(double MinimumRate READ Rate)
    Q_PROPERTY(double MaximumRate READ Rate)
    Q_PROPERTY(double Volume READ Volume)
    Q_PROPERTY(QVariantMap Metadata READ Metadata)
    Q_PROPERTY(qlonglong Position READ Position)
    Q_PROPERTY(bool CanGoNext READ CanGoNext)
    Q_PROPERTY(bool CanGoPrevious READ CanGoPrevious)
    Q_PROPERTY(bool CanPlay READ CanPlay)
    Q_PROPERTY(bool CanPause READ CanPlay)
    Q_PROPERTY(bool CanSeek READ CanSeek)
    Q_PROPERTY(bool CanControl READ CanControl)
public:
    explicit MprisPlayerAdaptor(MprisObject* object);

    QString PlaybackStatus() const { return object_->PlaybackStatus(); }
    double Rate() const { return 1.0; }
    double Volume() const { return 1.0; }
    QVariantMap Metadata() const { return object_->Metadata(); }
    qlonglong Position() const;
    bool CanGoNext() const { return object_->State.canGoNext; }
    bool CanGoPrevious() const { return object_->State.canGoPrevious; }
    bool CanPlay() const { return object_->State.canPlay; }
    bool CanSeek() const { return object_->State.canSeek; }
    bool CanControl() const { return true; }

public slots:
    void Play();
    void Pause();
    void PlayPause();
    void Stop();
    void Next();
    void Previous();
    void Seek(qlonglong Offset);
    void SetPosition(const QDBusObjectPath& TrackId, qlonglong Position);

signals:
    void Seeked(qlonglong Position);

private:
    MprisObject* object_;
};

} // namespace platform
