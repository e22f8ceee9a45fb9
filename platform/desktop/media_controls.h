#pragma once
// The desktop's media controls (media keys, the panel's media widget): the
// program appears on the session bus as a media player with the standard
// player interface, and the desktop's requests come back as plain calls.
#include <cstdint>
#include <functional>
#include <memory>
#include <QString>

namespace platform {

class MprisObject;

enum class PlaybackState { Stopped, Playing, Paused };

// What the desktop is shown; times in microseconds.
struct MediaState {
    PlaybackState playback = PlaybackState::Stopped;
    int track = 0; // 1, 2, ...; 0 when no track is chosen
    QString album; // the disc's label
    QString title; // what the track is called
    std::int64_t length = 0;
    bool canPlay = false;
    bool canSeek = false;
    bool canGoNext = false;
    bool canGoPrevious = false;

    bool operator==(const MediaState&) const = default;
};

// The program's answers to the desktop. Each request runs from the event
// loop after the bus call has been answered, so a handler may show a dialog.
struct MediaCommands {
    std::function<void()> Play, Pause, PlayPause, Stop, Next, Previous, Raise, Quit;
    std::function<void(std::int64_t offset)> Seek;          // relative, microseconds
    std::function<void(std::int64_t position)> SetPosition; // absolute, microseconds
    std::function<std::int64_t()> Position;                 // asked at any time
};

class MediaControls {
public:
    // Registers as `org.mpris.MediaPlayer2.<playerName>`. Null, without a
    // word, when there is no session bus or the name is taken.
    static std::unique_ptr<MediaControls> Register(const QString& playerName,
                                                   const QString& identity,
                                                   const QString& desktopEntry,
                                                   MediaCommands commands);
    ~MediaControls();

    // Shows `state`; what changed is announced to the desktop.
    void Update(const MediaState& state);
    // Tells the desktop the position jumped (it does not follow playback).
    void Seeked(std::int64_t position);

private:
    explicit MediaControls(std::unique_ptr<MprisObject> object);
    std::unique_ptr<MprisObject> object_;
};

} // namespace platform
