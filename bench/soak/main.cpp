// A track looped by the display panel, untimed, for the equivalent of
// SECONDS of playback: resident memory, open files and threads after the
// first loops against the end, printed as the drift per hour of playback.
//   quelvo-bench-soak TRACK [SECONDS]   (default 3600)
#include "display/MediaPlayer.h"
#include "display/MMDisplay2.h"

#include "platform/clock/ProcessUsage.h"
#include "platform/mci/drivers/mpv/playback_mode.h"
#include "platform/mci/mci.h"
#include "platform/mci/system_defaults.h"
#include "platform/ui/Application.h"

#include <cstdio>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

namespace {

constexpr int warmUpLoops = 3;

void RunUntil(const std::function<bool()>& done) {
    QTimer wake; // so the wait ends even when nothing else happens
    wake.start(20);
    while (!done())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    platform::Application app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s TRACK [SECONDS]\n", argv[0]);
        return 2;
    }
    const double seconds = argc > 2 ? std::atof(argv[2]) : 3600;
    platform::mci::SetUntimedHeadlessPlayback(true);
    platform::EnsureSystemDefaults();

    QWidget window;
    window.resize(802, 402);
    auto* panel = new TMMDisplay2(&window);
    panel->setGeometry(0, 0, 800, 400);
    panel->Loop = true;
    int loops = 0;
    bool ended = false;
    panel->OnStatusChanged = [&](QObject*) {
        if (panel->Status() == mmStopped)
            ++loops;
    };
    panel->OnTrackEnded = [&](QObject*) { ended = true; };
    window.show();

    panel->PlayFile(QString::fromLocal8Bit(argv[1]));
    if (panel->MediaPlayer()->DeviceID() == 0) {
        std::fprintf(stderr, "%s does not play\n", argv[1]);
        return 1;
    }
    RunUntil([&] { return loops >= 1 || ended; });
    using namespace platform;
    const platform::DWORD length = panel->MediaPlayer()->Length(); // the panel's h:m:s
    const double trackSeconds = std::max<double>(
        1, MCI_HMS_HOUR(length) * 3600 + MCI_HMS_MINUTE(length) * 60 + MCI_HMS_SECOND(length));
    const int wanted = std::max(warmUpLoops + 1, static_cast<int>(seconds / trackSeconds));

    RunUntil([&] { return loops >= warmUpLoops || ended; });
    const platform::ProcessUsage start = platform::CurrentProcessUsage();
    QElapsedTimer clock;
    clock.start();
    RunUntil([&] { return loops >= wanted || ended; });
    const platform::ProcessUsage end = platform::CurrentProcessUsage();
    panel->Loop = false;
    panel->Stop();

    const double played = (loops - warmUpLoops) * trackSeconds;
    std::printf("soak: %d loops of a %.1f s track (%.0f s of playback in %.0f s)%s\n", loops,
                trackSeconds, played, clock.elapsed() / 1000.0, ended ? ", ENDED EARLY" : "");
    std::printf("%-14s %10s %10s %10s\n", "", "after warm-up", "at the end", "drift");
    std::printf("%-14s %10lld %10lld %+10lld\n", "RSS (KiB)",
                static_cast<long long>(start.residentKiB), static_cast<long long>(end.residentKiB),
                static_cast<long long>(end.residentKiB - start.residentKiB));
    std::printf("%-14s %10d %10d %+10d\n", "open files", start.openFiles, end.openFiles,
                end.openFiles - start.openFiles);
    std::printf("%-14s %10d %10d %+10d\n", "threads", start.threads, end.threads,
                end.threads - start.threads);
    return ended ? 1 : 0;
}
