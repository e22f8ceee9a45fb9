#pragma once
// The video driver: plays MPEG files (and whatever else mpv plays) with
// libmpv. Commands go to mpv without waiting for it, and their replies are
// read: a refusal is reported. What the device reports comes from a cache
// that mpv's property and playback events keep up to date on the GUI thread.
// Only open waits, and only until the file has loaded or failed (bounded), so
// that the length and the natural size are known when it returns. mpv's own
// warnings and errors are reported (platform/diagnostics.h).
#include "platform/mci/driver.h"
#include "platform/mci/drivers/mpv/audio_tracks.h"
#include "platform/mci/drivers/mpv/mpv_core.h"
#include "platform/mci/drivers/mpv/stream_bridge.h"
#include "platform/mci/drivers/mpv/video_output.h"
#include "platform/mci/drivers/mpv/wakeup_signal.h"
#include "platform/mci/entry_reader.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <QObject>

struct mpv_event;
struct mpv_event_property;
struct mpv_event_log_message;

namespace platform::mci {

inline constexpr const char* MpvDriverName = "mciqtz32.dll";

class MpvDriver final : public QObject, public Driver {
public:
    explicit MpvDriver(DriverEvents& events);
    ~MpvDriver() override;

    MCIERROR Open(const std::string& element) override;
    MCIERROR Play(std::optional<DWORD> from) override;
    MCIERROR Pause() override;
    MCIERROR Resume() override;
    MCIERROR Stop() override;
    MCIERROR Seek(DWORD to) override;
    MCIERROR Step(DWORD frames, bool reverse) override;

    DWORD Mode() const override { return mode_; }
    DWORD Position() const override;
    DWORD Length() const override;
    DWORD TimeFormat() const override { return timeFormat_; }
    MCIERROR SetTimeFormat(DWORD format) override;

    bool HasVideo() const override { return hasVideo_; }
    bool HasAudio() const override { return hasAudio_; }

    std::optional<std::vector<DWORD>> EntryPositions() const override;
    MCIERROR SetAudio(DWORD channel, bool on) override;
    DWORD AudioStreams() const override;
    DWORD AudioStream() const override;
    MCIERROR SetAudioStream(DWORD stream) override;

    MCIERROR SetWindow(HWND window) override;
    MCIERROR PutDestination(const RECT& rect) override;
    RECT Destination() const override;
    RECT Source() const override;

private:
    MCIERROR waitUntilLoaded();
    void drainEvents();
    void takeEvents();
    void handle(const mpv_event& event);
    void replied(std::uint64_t request, int error);
    void logged(const mpv_event_log_message& message);
    void update(std::uint64_t property, const mpv_event_property& value);
    void endReached();
    void setPaused(bool paused);
    void seekTo(double seconds, bool toEnd);
    double lengthSeconds() const;
    double currentSeconds() const;
    bool countsFrames() const;
    DWORD toUnits(double seconds) const;

    DriverEvents& events_;
    // Declared in teardown order reversed: the video output (render context)
    // goes first, then the core, then the stream the core read from.
    std::shared_ptr<StreamBridge> stream_;
    MpvCore core_;
    std::unique_ptr<VideoOutput> video_;
    std::atomic<bool> drainQueued_{false};
    WakeupSignal wakeup_;
    int mpvMessages_ = 0;

    // Known when open returns.
    bool loaded_ = false;
    int unansweredQuestions_ = 0;
    MCIERROR loadError_ = 0;
    bool hasVideo_ = false;
    bool hasAudio_ = false;
    int naturalWidth_ = 0;
    int naturalHeight_ = 0;
    double framesPerSecond_ = 0;
    double duration_ = 0;

    // Kept by mpv's events.
    double timePos_ = 0;
    bool atEnd_ = false;
    AudioTracks audioTracks_;
    // A seek reports its target until playback has restarted there and mpv
    // has told the new time; before that mpv's time may still be the old one.
    std::optional<double> seekTarget_;
    bool seekRestarted_ = false;

    // Read once the file has loaded.
    std::unique_ptr<EntryReader> entries_;

    // Kept by the commands.
    bool leftHeard_ = true;
    bool rightHeard_ = true;
    DWORD mode_ = MCI_MODE_NOT_READY;
    DWORD timeFormat_ = MCI_FORMAT_MILLISECONDS;
    RECT destination_{};
};

} // namespace platform::mci
