// A slider seek as a user makes it, to the first new picture on the screen:
// the main window's slider -> display panel -> media device -> mpv, against a
// bare mpv core seeking the same track through the same stream and the same
// renderer. Also the CPU of one run of the main window's status handler.
//
// The track is made of segments that each carry a box of their own colour in
// the middle of the picture, so the screen tells which segment is shown.
// Usage: quelvo-bench-seek SEGMENT_SECONDS SEEKS   (under an X server, with a
// Video CD image mapped to the first drive)
#include "app/uMain.h"
#include "display/MMDisplay2.h"
#include "windows/uLogging.h"

#include "platform/clock/CpuTime.h"
#include "platform/mci/drivers/mpv/mpv_core.h"
#include "platform/mci/drivers/mpv/stream_bridge.h"
#include "platform/mci/drivers/mpv/video_output.h"
#include "platform/mci/system_defaults.h"
#include "platform/ui/Application.h"

#include <mpv/client.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <limits>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QSlider>
#include <QTimer>
#include <QToolButton>
#include <string>
#include <vector>

namespace {

// The box colours of the segments, in order; bench/seek makes the track.
const QColor segmentColours[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow, Qt::cyan, Qt::magenta};
constexpr int segmentCount = std::size(segmentColours);
constexpr double framesPerSecond = 25;
constexpr qint64 seekTimeoutMs = 5000;

// The segment whose colour is at a point of the screen, or -1 for none.
int segmentAt(const QPoint& global) {
    const QColor seen = QGuiApplication::primaryScreen()
                            ->grabWindow(0, global.x(), global.y(), 1, 1)
                            .toImage()
                            .pixelColor(0, 0);
    for (int segment = 0; segment < segmentCount; ++segment) {
        const QColor& c = segmentColours[segment];
        const int distance = std::abs(seen.red() - c.red()) + std::abs(seen.green() - c.green()) +
                             std::abs(seen.blue() - c.blue());
        if (distance < 120)
            return segment;
    }
    return -1;
}

// Runs events, looking at least every millisecond, until `done` or the time-out.
bool runEventsUntil(const std::function<bool()>& done, qint64 timeoutMs) {
    QTimer wake;
    wake.start(1);
    QElapsedTimer elapsed;
    elapsed.start();
    while (!done()) {
        if (elapsed.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

void runFor(qint64 milliseconds) {
    runEventsUntil([] { return false; }, milliseconds);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// One seek target per run: the middle of a segment other than the shown one,
// a little further on each run so that no two seeks land on the same frame.
struct Target {
    int segment;
    double seconds;
};

Target targetFor(int run, int shownSegment, double segmentSeconds) {
    const int segment = (shownSegment + 1 + run % (segmentCount - 1)) % segmentCount;
    const double offset = segmentSeconds * (0.3 + 0.05 * (run % 8));
    const double frame = std::round((segment * segmentSeconds + offset) * framesPerSecond);
    return {segment, frame / framesPerSecond};
}

// Milliseconds from the seek request to its segment's colour on the screen,
// or -1 when it never came.
double timeSeek(const std::function<void(double)>& seek, const Target& target,
                const QPoint& probe) {
    QElapsedTimer elapsed;
    elapsed.start();
    seek(target.seconds);
    if (!runEventsUntil([&] { return segmentAt(probe) == target.segment; }, seekTimeoutMs))
        return -1;
    return elapsed.nsecsElapsed() / 1e6;
}

class Player {
public:
    virtual ~Player() = default;
    virtual QPoint Probe() const = 0;
    virtual void Seek(double seconds) = 0;
    virtual void Resume() = 0;
    virtual void Pause() = 0;
    // Both players stand at the same place on the screen; the one measured is on top.
    virtual void Raise() = 0;
};

// The player's own main window, on the track the disc scan opened.
class MainWindowPlayer : public Player {
public:
    MainWindowPlayer() {
        FWindow.cmbzoom->setCurrentIndex(4); // 100 %: the picture at its own size
        FWindow.cmbzoomChange();
        FWindow.setGeometry(40, 40, 800, 600);
        FWindow.show();
    }
    bool Playing() const { return FWindow.MMpanel->Status() == mmPlaying; }
    QPoint Probe() const override {
        return FWindow.MMpanel->mapToGlobal(FWindow.MMpanel->rect().center());
    }
    void Seek(double seconds) override {
        // The slider counts the video driver's milliseconds.
        FWindow.trkmm->setValue(static_cast<int>(std::lround(seconds * 1000)));
    }
    // The pause button pauses playback and resumes paused playback.
    void Resume() override {
        if (FWindow.MMpanel->Status() == mmPaused)
            FWindow.btnpauseClick();
    }
    void Pause() override {
        if (Playing())
            FWindow.btnpauseClick();
    }
    void Raise() override { FWindow.raise(); }
    TdlgMain& Window() { return FWindow; }

private:
    TdlgMain FWindow;
};

// mpv alone: the same track through the same stream, drawn by the same
// renderer into a window of the panel's size, seeking with mpv's own command.
class BareMpvPlayer : public Player {
public:
    BareMpvPlayer(const std::string& element, const QRect& geometry, const QSize& videoSize)
        : FStream(element) {
        FWindow.setGeometry(geometry);
        FWindow.setStyleSheet(QStringLiteral("background: black"));
        FWindow.show();
        FStream.OpenAhead();
        FCore = platform::mci::CreateMpvCore();
        FStream.AttachTo(FCore.get());
        FVideo = platform::mci::VideoOutput::Create(FCore.get());
        FVideo->SetHost(&FWindow);
        const QPoint origin((geometry.width() - videoSize.width()) / 2,
                            (geometry.height() - videoSize.height()) / 2);
        FVideo->SetGeometry(QRect(origin, videoSize));
        // Any mpv thread: the events are read on the GUI thread, as the driver does.
        mpv_set_wakeup_callback(
            FCore.get(),
            [](void* self) {
                auto* player = static_cast<BareMpvPlayer*>(self);
                QMetaObject::invokeMethod(
                    &player->FWindow, [player] { player->drain(); }, Qt::QueuedConnection);
            },
            this);
        const char* load[] = {"loadfile", platform::mci::StreamBridge::Url(), nullptr};
        mpv_command(FCore.get(), load);
        FVideo->PlaybackStarted();
        Resume();
    }
    ~BareMpvPlayer() override {
        mpv_set_wakeup_callback(FCore.get(), nullptr, nullptr);
        FVideo.reset();
        FCore.reset();
    }
    QPoint Probe() const override { return FWindow.mapToGlobal(FWindow.rect().center()); }
    void Seek(double seconds) override {
        const std::string text = std::to_string(seconds);
        const char* seek[] = {"seek", text.c_str(), "absolute+exact", nullptr};
        mpv_command_async(FCore.get(), 0, seek);
    }
    void Resume() override { setPaused(false); }
    void Pause() override { setPaused(true); }
    void Raise() override { FWindow.raise(); }

private:
    void setPaused(bool paused) {
        int flag = paused ? 1 : 0;
        mpv_set_property_async(FCore.get(), 0, "pause", MPV_FORMAT_FLAG, &flag);
    }
    void drain() {
        while (mpv_wait_event(FCore.get(), 0)->event_id != MPV_EVENT_NONE) {
        }
    }

    QWidget FWindow;
    platform::mci::StreamBridge FStream;
    platform::mci::MpvCore FCore;
    std::unique_ptr<platform::mci::VideoOutput> FVideo;
};

constexpr double NeverShown = std::numeric_limits<double>::infinity();

// The seeks that showed their picture, and how many never did.
struct SeekSummary {
    double fastest = NeverShown;
    double slowest = 0;
    std::size_t timedOut = 0;
};

SeekSummary summarise(const std::vector<double>& samples) {
    SeekSummary summary;
    for (const double milliseconds : samples) {
        if (milliseconds == NeverShown) {
            ++summary.timedOut;
            continue;
        }
        summary.fastest = std::min(summary.fastest, milliseconds);
        summary.slowest = std::max(summary.slowest, milliseconds);
    }
    return summary;
}

// Seeks of one player, each from where the previous one left playback.
void seekRuns(const char* name, Player& player, int firstRun, int runs, double segmentSeconds,
              std::vector<double>& samples) {
    player.Raise();
    player.Resume();
    runFor(500);
    for (int run = firstRun; run < firstRun + runs; ++run) {
        const int shown = segmentAt(player.Probe());
        const Target target = targetFor(run, std::max(shown, 0), segmentSeconds);
        const double milliseconds =
            timeSeek([&](double seconds) { player.Seek(seconds); }, target, player.Probe());
        // A seek that never showed its picture is slower than every other one:
        // it stays in the median, as the slowest.
        if (milliseconds < 0)
            std::fprintf(stderr, "%s: a seek to %.2f s never showed its segment\n", name,
                         target.seconds);
        samples.push_back(milliseconds < 0 ? NeverShown : milliseconds);
        runFor(300); // playback goes on for a moment, as after a user's drag
    }
    player.Pause();
    runFor(200);
}

// CPU microseconds of one run of the status handler, on the GUI thread, each
// run finding the toolbar out of step with the panel (as after a click), so
// that it has looks, text and slider to put back.
double statusHandlerCost(TdlgMain& window) {
    constexpr int runs = 20000;
    double seconds = 0;
    for (int run = 0; run < runs; ++run) {
        for (QToolButton* button : {window.btnplay, window.btnpause, window.btnstop})
            button->setChecked(!button->isChecked());
        window.lblmmstatus->setText(QStringLiteral(" 0:01 / 3:00 "));
        window.trkmm->blockSignals(true);
        window.trkmm->setValue(25);
        window.trkmm->blockSignals(false);
        const double start = platform::ThreadCpuSeconds();
        window.MMpanelStatusChanged();
        seconds += platform::ThreadCpuSeconds() - start;
    }
    return seconds / runs * 1e6;
}

} // namespace

int main(int argc, char** argv) {
    platform::Application application(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: quelvo-bench-seek SEGMENT_SECONDS SEEKS\n");
        return 2;
    }
    platform::EnsureSystemDefaults();
    const double segmentSeconds = std::atof(argv[1]);
    const int seeks = std::max(2, std::atoi(argv[2]));

    TdlgLog log;
    MainWindowPlayer ours;
    if (!runEventsUntil([&] { return ours.Playing() && segmentAt(ours.Probe()) >= 0; }, 20000)) {
        std::fprintf(stderr, "quelvo-bench-seek: the disc's first track never played\n");
        return 1;
    }
    TdlgMain& window = ours.Window();
    const std::string element = window.CurrentFile.toStdString();
    const QRect panel(window.MMpanel->mapToGlobal(QPoint(0, 0)), window.MMpanel->size());
    const QSize video(384, 288); // a PAL Video CD picture at 100 %, pixel aspect applied

    const double cpuPlaying = statusHandlerCost(window);
    ours.Pause();
    runFor(200);
    BareMpvPlayer reference(element, panel.translated(0, 0), video);
    runEventsUntil([&] { return segmentAt(reference.Probe()) >= 0; }, 20000);
    reference.Pause();

    // Alternating rounds, so that a busy moment of the machine falls on both.
    std::vector<double> oursMs, mpvMs;
    const int rounds = 3;
    for (int round = 0; round < rounds; ++round) {
        const int runs = (seeks + rounds - 1) / rounds;
        seekRuns("ours", ours, round * runs, runs, segmentSeconds, oursMs);
        seekRuns("mpv", reference, round * runs, runs, segmentSeconds, mpvMs);
    }
    window.btnstopClick();
    runFor(300);
    const double cpuStopped = statusHandlerCost(window);
    const SeekSummary oursSeeks = summarise(oursMs), mpvSeeks = summarise(mpvMs);
    if (oursSeeks.timedOut == oursMs.size() || mpvSeeks.timedOut == mpvMs.size()) {
        std::fprintf(stderr, "quelvo-bench-seek: no seek was seen on the screen\n");
        return 1;
    }
    const double o = median(oursMs), m = median(mpvMs);
    std::printf(
        "slider seek -> first new frame on screen: ours median %.1f ms (min %.1f, max %.1f, "
        "%zu seeks, %zu never shown and counted as slowest); goal 50 ms; ratio %.2f\n",
        o, oursSeeks.fastest, oursSeeks.slowest, oursMs.size(), oursSeeks.timedOut, o / 50);
    std::printf("bare mpv seek on the same stream and renderer: median %.1f ms (min %.1f, max "
                "%.1f, %zu seeks, %zu never shown); ours / mpv ratio %.2f; goal 1.2\n",
                m, mpvSeeks.fastest, mpvSeeks.slowest, mpvMs.size(), mpvSeeks.timedOut, o / m);
    const double cpu = std::max(cpuPlaying, cpuStopped);
    std::printf("one run of the main window's status handler: %.2f us of CPU playing, %.2f us "
                "stopped; goal 20 us; ratio %.3f\n",
                cpuPlaying, cpuStopped, cpu / 20);
    return 0;
}
