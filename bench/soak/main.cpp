// A track looped by the display panel, untimed, for the equivalent of
// SECONDS of playback: resident memory, open files and threads after the
// first loops against the end, printed as the drift per hour of playback.
//   quelvo-bench-soak TRACK [SECONDS]   (default 3600)
#include "display/MediaPlayer.h"
#include "display/MMDisplay2.h"

#include "platform/clock/ProcessUsage.h"
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
    // The change over the run, and the same scaled to one hour of playback.
    const double perHour = played > 0 ? 3600 / played : 0;
    std::printf("%-14s %13s %10s %10s %14s\n", "", "after warm-up", "at the end", "change",
                "drift per hour");
    const auto row = [perHour](const char* name, long long before, long long after) {
        std::printf("%-14s %13lld %10lld %+10lld %+14.1f\n", name, before, after, after - before,
                    static_cast<double>(after - before) * perHour);
    };
    row("RSS (KiB)", start.residentKiB, end.residentKiB);
    row("open files", start.openFiles, end.openFiles);
    row("threads", start.threads, end.threads);
    return ended ? 1 : 0;
}
