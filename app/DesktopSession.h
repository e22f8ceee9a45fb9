#pragma once
// The main window as the desktop sees it: the desktop's media controls and
// media keys drive the toolbar's own handlers, and the screen stays awake
// while a track plays.
#include <cstdint>
#include <memory>
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
    void Play();
    void PlayPause();
    void StepTrack(int delta);
    void SeekTo(std::int64_t position);
    std::int64_t PositionNow();
    // The panel counts in its device's units: frames for video, else
    // milliseconds. The desktop counts in microseconds.
    double MicrosecondsPerUnit();

    TdlgMain& FWindow;
    std::unique_ptr<platform::MediaControls> FControls;
    std::unique_ptr<platform::IdleInhibitor> FInhibitor;
    QString FLabel;        // the disc label of the track being played
    bool FStarted = false; // a track is playing or paused
    QString FScaleFile;    // the track FScale was measured on
    double FScale = 0;
};
