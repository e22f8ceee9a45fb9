#pragma once
// The main window as the desktop sees it: the desktop's media controls and
// media keys drive the toolbar's own handlers, and the screen stays awake
// while a track plays.
#include <cstdint>
#include <memory>
#include <QObject>
#include <QString>

class TdlgMain;
namespace platform {
class IdleInhibitor;
class MediaControls;
struct MediaState;
} // namespace platform

class TDesktopSession {
public:
    // Watches `window` until the session ends; `window` outlives it.
    explicit TDesktopSession(TdlgMain& window);
    ~TDesktopSession();
    TDesktopSession(const TDesktopSession&) = delete;
    TDesktopSession& operator=(const TDesktopSession&) = delete;

private:
    void PlaybackChanged();
    platform::MediaState CurrentState();
    bool HasTracks() const;
    bool TakesMediaRequests() const;
    void Play();
    void PlayPause();
    void StepTrack(int delta);
    void SeekTo(std::int64_t position);
    std::int64_t PositionNow();
    // The panel counts in its device's units, milliseconds on the video
    // driver. The desktop counts in microseconds.
    double MicrosecondsPerUnit();

    TdlgMain& FWindow;
    std::unique_ptr<platform::MediaControls> FControls;
    std::unique_ptr<platform::IdleInhibitor> FInhibitor;
    // Holds the connections to the track list for as long as the session lives.
    const std::unique_ptr<QObject> FTrackListWatch = std::make_unique<QObject>();
    QString FLabel;        // the disc label of the track being played
    bool FStarted = false; // a track is playing or paused
    QString FScaleFile;    // the track FScale was measured on
    double FScale = 0;
};
