#include "platform/mci/drivers/mpv/mpv_driver.h"

#include "platform/diagnostics.h"
#include "platform/mci/drivers/mpv/mpv_library.h"
#include "platform/mci/drivers/mpv/mpv_requests.h"
#include "platform/mci/drivers/mpv/playback_mode.h"
#include "platform/mci/time_format.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <cmath>
#include <string>
#include <utility>

namespace platform::mci {
namespace {

// How long open may hold the GUI thread for a file that neither loads nor fails.
constexpr std::chrono::seconds loadBound{10};
// While open waits, mpv waits for its first picture to be drawn; the wait
// looks for one this often.
constexpr std::chrono::milliseconds drawInterval{2};
// mpv's own warnings and errors that reach the log window for one device: a
// damaged stream can make the decoder warn at every picture.
constexpr int mpvMessageBound = 100;

enum Property : std::uint64_t {
    timePosition = 1,
    duration,
    framesPerSecond,
    endOfFile,
    displayWidth,
    displayHeight,
    videoTrack,
    audioTrack,
    trackList,
};

struct Question {
    Property id;
    const char* name;
    mpv_format format;
};

// Kept up to date by mpv for as long as the device is open. The display size
// is the picture's size with its pixel aspect applied, known once the first
// picture is decoded.
constexpr Question observed[] = {
    {timePosition, "time-pos", MPV_FORMAT_DOUBLE},
    {duration, "duration", MPV_FORMAT_DOUBLE},
    {framesPerSecond, "container-fps", MPV_FORMAT_DOUBLE},
    {endOfFile, "eof-reached", MPV_FORMAT_FLAG},
    {displayWidth, "dwidth", MPV_FORMAT_INT64},
    {displayHeight, "dheight", MPV_FORMAT_INT64},
    {trackList, "track-list", MPV_FORMAT_NODE},
};

// Asked once the file has loaded; open waits for the answers.
constexpr Question loadedQuestions[] = {
    {videoTrack, "current-tracks/video/id", MPV_FORMAT_INT64},
    {audioTrack, "current-tracks/audio/id", MPV_FORMAT_INT64},
    {duration, "duration", MPV_FORMAT_DOUBLE},
    {framesPerSecond, "container-fps", MPV_FORMAT_DOUBLE},
    {trackList, "track-list", MPV_FORMAT_NODE},
};

MCIERROR loadError(int mpvError) {
    return mpvError == MPV_ERROR_LOADING_FAILED ? MCIERR_FILE_READ : MCIERR_INVALID_FILE;
}

} // namespace

MpvDriver::MpvDriver(DriverEvents& events) : events_(events) {
}

MpvDriver::~MpvDriver() {
    if (core_)
        Mpv().set_wakeup_callback(core_.get(), nullptr, nullptr);
    // A read stalled on the disc fails at once, and the core, which would
    // wait for its demuxer, goes away on a thread of its own.
    if (stream_)
        stream_->Cancel();
    video_.reset();
    DestroyAway(std::move(core_), std::move(stream_));
}

MCIERROR MpvDriver::Open(const std::string& element) {
    stream_ = std::make_shared<StreamBridge>(element);
    if (const MCIERROR error = stream_->OpenAhead())
        return error;
    core_ = CreateMpvCore();
    if (!core_ || !stream_->AttachTo(core_.get()))
        return MCIERR_DRIVER_INTERNAL;
    // The render context has to exist before the file is loaded, or mpv
    // gives up on video.
    if (!UntimedHeadlessPlayback()) {
        video_ = VideoOutput::Create(core_.get());
        if (!video_)
            return MCIERR_CREATEWINDOW;
    }
    mpv_handle* core = core_.get();
    for (const auto& [id, name, format] : observed)
        Mpv().observe_property(core, id, name, format);
    Mpv().set_wakeup_callback(
        core,
        [](void* self) {
            // Any mpv thread: have the GUI thread drain the events, once per
            // batch, and wake it if it waits for the file to load.
            auto* driver = static_cast<MpvDriver*>(self);
            driver->wakeup_.Give();
            if (!driver->drainQueued_.exchange(true))
                QMetaObject::invokeMethod(driver, &MpvDriver::drainEvents, Qt::QueuedConnection);
        },
        this);
    // So that a track that will not play says why in the log window.
    Mpv().request_log_messages(core, "warn");
    // Asked without waiting: this thread draws the pictures, and mpv may wait
    // for a picture to be drawn before it answers a command.
    const char* load[] = {"loadfile", StreamBridge::Url(), nullptr};
    if (Mpv().command_async(core, loadRequest, load) < 0)
        return MCIERR_DRIVER_INTERNAL;
    const MCIERROR error = waitUntilLoaded();
    if (!error) // not before: mpv's first reads of the disc come first
        entries_ = std::make_unique<EntryReader>(element);
    return error;
}

MCIERROR MpvDriver::waitUntilLoaded() {
    const auto deadline = std::chrono::steady_clock::now() + loadBound;
    for (;;) {
        if (loadError_)
            return loadError_;
        const bool answered = loaded_ && unansweredQuestions_ == 0;
        if (answered && !hasVideo_ && !hasAudio_)
            return MCIERR_INVALID_FILE;
        if (answered && (!hasVideo_ || (naturalWidth_ > 0 && naturalHeight_ > 0)))
            break;
        if (atEnd_) // the media ended before a single picture came out of it
            return MCIERR_INVALID_FILE;
        const std::chrono::duration<double> remaining = deadline - std::chrono::steady_clock::now();
        if (remaining.count() <= 0)
            return MCIERR_DEVICE_NOT_READY;
        // The wait is ours, not mpv_wait_event's: this thread renders, and a
        // render thread must not wait inside libmpv's other calls. The events
        // are taken as the wake-up announces them.
        wakeup_.WaitFor(std::min<std::chrono::duration<double>>(remaining, drawInterval));
        takeEvents();
        if (video_)
            video_->DrawAnnouncedFrame();
    }
    mode_ = MCI_MODE_STOP;
    timeFormat_ = MCI_FORMAT_MILLISECONDS;
    destination_ = Source();
    if (video_)
        video_->SetGeometry(QRect(0, 0, naturalWidth_, naturalHeight_));
    return 0;
}

void MpvDriver::drainEvents() {
    drainQueued_ = false;
    takeEvents();
}

void MpvDriver::takeEvents() {
    while (core_) {
        const mpv_event* event = Mpv().wait_event(core_.get(), 0);
        if (event->event_id == MPV_EVENT_NONE)
            break;
        handle(*event);
    }
}

void MpvDriver::handle(const mpv_event& event) {
    switch (event.event_id) {
    case MPV_EVENT_FILE_LOADED: {
        // Asked without waiting: until the first picture has been drawn, mpv
        // answers no blocking question, and drawing needs this thread.
        loaded_ = true;
        for (const auto& [id, name, format] : loadedQuestions) {
            if (Mpv().get_property_async(core_.get(), id, name, format) >= 0)
                ++unansweredQuestions_;
        }
        break;
    }
    case MPV_EVENT_END_FILE: {
        const auto* ended = static_cast<const mpv_event_end_file*>(event.data);
        if (ended->reason != MPV_END_FILE_REASON_ERROR)
            break;
        if (mode_ == MCI_MODE_NOT_READY)
            loadError_ = loadError(ended->error);
        else
            endReached();
        break;
    }
    case MPV_EVENT_PLAYBACK_RESTART:
        seekRestarted_ = seekTarget_.has_value();
        break;
    case MPV_EVENT_GET_PROPERTY_REPLY:
        // A question mpv could not answer comes back without a value, which
        // reads as unknown.
        --unansweredQuestions_;
        [[fallthrough]];
    case MPV_EVENT_PROPERTY_CHANGE:
        update(event.reply_userdata, *static_cast<const mpv_event_property*>(event.data));
        break;
    case MPV_EVENT_COMMAND_REPLY:
    case MPV_EVENT_SET_PROPERTY_REPLY:
        replied(event.reply_userdata, event.error);
        break;
    case MPV_EVENT_LOG_MESSAGE:
        logged(*static_cast<const mpv_event_log_message*>(event.data));
        break;
    case MPV_EVENT_QUEUE_OVERFLOW:
        // The cache may now miss a change; the next ones put it right.
        ReportProblem("mpv: events were lost, the device's state may lag behind");
        break;
    // Told, and of no use to a device: the file's start (its load is what
    // counts), idle and tick (read from the observed properties instead), the
    // outputs' reconfiguration (the display size is observed), a seek's start
    // (its restart is what counts), messages and hooks nobody here sends or
    // registers, and the core's shutdown, which comes only with its
    // destruction, after this driver stops listening.
    case MPV_EVENT_NONE:
    case MPV_EVENT_SHUTDOWN:
    case MPV_EVENT_START_FILE:
    case MPV_EVENT_IDLE:
    case MPV_EVENT_TICK:
    case MPV_EVENT_CLIENT_MESSAGE:
    case MPV_EVENT_VIDEO_RECONFIG:
    case MPV_EVENT_AUDIO_RECONFIG:
    case MPV_EVENT_SEEK:
    case MPV_EVENT_HOOK:
        break;
    }
}

void MpvDriver::replied(std::uint64_t request, int error) {
    if (error >= 0)
        return;
    switch (request) {
    case loadRequest:
        // The file's end with an error follows and carries the reason; this
        // is for a command that mpv refused outright.
        if (mode_ == MCI_MODE_NOT_READY && !loadError_)
            loadError_ = loadError(error);
        ReportProblem(std::string("mpv: the file cannot be loaded: ") + Mpv().error_string(error));
        break;
    case pauseRequest:
        ReportProblem(std::string("mpv: cannot pause or resume: ") + Mpv().error_string(error));
        break;
    case seekRequest:
        // The position stays where it was, as mpv's time then tells.
        seekTarget_.reset();
        ReportProblem(std::string("mpv: cannot seek: ") + Mpv().error_string(error));
        break;
    case audioStreamRequest:
        ReportProblem(std::string("mpv: cannot change the audio stream: ") +
                      Mpv().error_string(error));
        break;
    }
}

void MpvDriver::logged(const mpv_event_log_message& message) {
    if (++mpvMessages_ > mpvMessageBound)
        return;
    std::string text = message.text;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    ReportProblem(std::string("mpv: [") + message.prefix + "] " + text);
    if (mpvMessages_ == mpvMessageBound)
        ReportProblem("mpv: further messages about this file are left out");
}

void MpvDriver::update(std::uint64_t id, const mpv_event_property& property) {
    const bool known = property.format != MPV_FORMAT_NONE;
    const double number = known && property.format == MPV_FORMAT_DOUBLE
                              ? *static_cast<const double*>(property.data)
                              : 0;
    const std::int64_t integer = known && property.format == MPV_FORMAT_INT64
                                     ? *static_cast<const std::int64_t*>(property.data)
                                     : 0;
    switch (id) {
    case timePosition:
        timePos_ = number;
        if (seekRestarted_)
            seekTarget_.reset();
        seekRestarted_ = false;
        break;
    case duration:
        if (known)
            duration_ = number;
        break;
    case framesPerSecond:
        if (known)
            framesPerSecond_ = number;
        break;
    case endOfFile:
        // An end told while a seek is under way is from before it.
        if (known && *static_cast<const int*>(property.data) && !seekTarget_)
            endReached();
        break;
    case displayWidth:
        naturalWidth_ = static_cast<int>(integer);
        break;
    case displayHeight:
        naturalHeight_ = static_cast<int>(integer);
        break;
    case videoTrack:
        hasVideo_ = integer > 0;
        break;
    case audioTrack:
        hasAudio_ = integer > 0;
        break;
    case trackList:
        if (property.format == MPV_FORMAT_NODE) {
            // Without a sound device mpv hears no stream at all; the one
            // chosen is still the one that would be heard.
            AudioTracks tracks = ReadAudioTracks(*static_cast<const mpv_node*>(property.data));
            if (tracks.selected == 0 && audioTracks_.selected <= tracks.ids.size())
                tracks.selected = audioTracks_.selected;
            audioTracks_ = std::move(tracks);
        }
        break;
    }
}

void MpvDriver::endReached() {
    atEnd_ = true;
    if (mode_ != MCI_MODE_PLAY)
        return;
    mode_ = MCI_MODE_STOP;
    events_.PlaybackEnded(stream_->ReadFailed() ? PlaybackEnd::failed : PlaybackEnd::reachedEnd);
}

void MpvDriver::setPaused(bool paused) {
    int flag = paused ? 1 : 0;
    Mpv().set_property_async(core_.get(), pauseRequest, "pause", MPV_FORMAT_FLAG, &flag);
}

void MpvDriver::seekTo(double seconds, bool toEnd) {
    std::array<char, 32> text{};
    std::to_chars(text.data(), text.data() + text.size() - 1, seconds);
    const char* seek[] = {"seek", text.data(), "absolute+exact", nullptr};
    Mpv().command_async(core_.get(), seekRequest, seek);
    seekTarget_ = seconds;
    seekRestarted_ = false;
    // mpv may not tell a new end after a seek to where it already was, and
    // ends it told before the seek no longer count.
    atEnd_ = toEnd;
}

MCIERROR MpvDriver::Play(std::optional<DWORD> from) {
    if (from) {
        if (*from > Length())
            return MCIERR_OUTOFRANGE;
        seekTo(UnitsToSeconds(*from, timeFormat_, framesPerSecond_), *from == Length());
    }
    return Resume();
}

MCIERROR MpvDriver::Resume() {
    if (mode_ == MCI_MODE_PLAY)
        return 0;
    if (atEnd_) { // nothing left to play: this play has ended already
        mode_ = MCI_MODE_STOP;
        events_.PlaybackEnded(PlaybackEnd::reachedEnd);
        return 0;
    }
    setPaused(false);
    mode_ = MCI_MODE_PLAY;
    if (video_)
        video_->PlaybackStarted();
    return 0;
}

MCIERROR MpvDriver::Pause() {
    if (mode_ == MCI_MODE_PLAY) {
        setPaused(true);
        mode_ = MCI_MODE_PAUSE;
    }
    return 0;
}

MCIERROR MpvDriver::Stop() {
    setPaused(true);
    mode_ = MCI_MODE_STOP;
    return 0;
}

MCIERROR MpvDriver::Seek(DWORD to) {
    if (to > Length())
        return MCIERR_OUTOFRANGE;
    setPaused(true);
    mode_ = MCI_MODE_STOP;
    seekTo(UnitsToSeconds(to, timeFormat_, framesPerSecond_), to == Length());
    return 0;
}

MCIERROR MpvDriver::Step(DWORD frames, bool reverse) {
    if (!hasVideo_ || framesPerSecond_ <= 0)
        return MCIERR_UNSUPPORTED_FUNCTION;
    const auto current =
        static_cast<std::int64_t>(std::llround(currentSeconds() * framesPerSecond_));
    const auto last = static_cast<std::int64_t>(std::llround(lengthSeconds() * framesPerSecond_));
    const std::int64_t target =
        std::clamp<std::int64_t>(reverse ? current - frames : current + frames, 0, last);
    setPaused(true);
    mode_ = MCI_MODE_PAUSE;
    seekTo(target / framesPerSecond_, target == last);
    return 0;
}

double MpvDriver::lengthSeconds() const {
    return std::max(duration_, 0.0);
}

double MpvDriver::currentSeconds() const {
    if (seekTarget_)
        return *seekTarget_;
    return atEnd_ ? lengthSeconds() : std::clamp(timePos_, 0.0, lengthSeconds());
}

DWORD MpvDriver::toUnits(double seconds) const {
    return SecondsToUnits(seconds, timeFormat_, framesPerSecond_);
}

DWORD MpvDriver::Position() const {
    return mode_ == MCI_MODE_NOT_READY ? 0 : toUnits(currentSeconds());
}

DWORD MpvDriver::Length() const {
    return toUnits(lengthSeconds());
}

bool MpvDriver::countsFrames() const {
    return hasVideo_ && framesPerSecond_ > 0;
}

// Like the MPEG video device it stands in for, it opens counting
// milliseconds, so that a caller asking for hours, minutes and seconds in
// vain still gets a time, and counts in frames or in milliseconds only. A packed
// hours-minutes-seconds value does not grow with time, so a caller comparing positions in it would
// see the end too early.
MCIERROR MpvDriver::SetTimeFormat(DWORD format) {
    if (format != MCI_FORMAT_MILLISECONDS && !(format == MCI_FORMAT_FRAMES && countsFrames()))
        return MCIERR_BAD_TIME_FORMAT;
    timeFormat_ = format;
    return 0;
}

MCIERROR MpvDriver::SetWindow(HWND window) {
    if (video_)
        video_->SetHost(window);
    return 0;
}

MCIERROR MpvDriver::PutDestination(const RECT& rect) {
    destination_ = rect;
    if (rect.right == 0 && rect.bottom == 0) {
        destination_.right = naturalWidth_;
        destination_.bottom = naturalHeight_;
    }
    if (video_)
        video_->SetGeometry(
            QRect(destination_.left, destination_.top, destination_.right, destination_.bottom));
    return 0;
}

RECT MpvDriver::Destination() const {
    return destination_;
}

RECT MpvDriver::Source() const {
    return RECT{0, 0, naturalWidth_, naturalHeight_};
}

} // namespace platform::mci
