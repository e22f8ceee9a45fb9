// Track 1 of the Video CD on E: played in a display panel, in real time,
// while the FUSE mirror under it fails and stalls chosen sectors (the run
// script writes the faults file): an unreadable stretch at 10 s, then at 20 s
// a read that takes 25 s, during which a track of another drive (F:, the
// same image read directly) is asked for, and the
// window closed. Measures the longest stall of the GUI thread throughout
// (a 5 ms timer's longest gap) and the time from the unreadable stretch to
// the picture moving past it. Prints both against their goals.
// Usage: quelvo-bench-disc-stall FAULTS BIN FIRST-SECTOR-OF-TRACK-1
#include "display/MediaPlayer.h"
#include "display/MMDisplay2.h"

#include "platform/mci/system_defaults.h"
#include "platform/ui/Application.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <string>

namespace {

constexpr int fps = 25;
constexpr int sectorsPerSecond = 75;
constexpr int badFrom = 10;    // s into the track
constexpr int badSectors = 40; // about half a second of track
constexpr int stallAt = 20;    // s into the track
constexpr int stallSeconds = 25;

void WriteFaults(const std::string& path, const std::string& rules) {
    const std::string partial = path + ".new";
    std::ofstream(partial) << rules;
    std::rename(partial.c_str(), path.c_str());
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: quelvo-bench-disc-stall FAULTS BIN FIRST-SECTOR\n");
        return 2;
    }
    const std::string faults = argv[1], bin = argv[2];
    const int track = std::atoi(argv[3]);
    const auto sectorAt = [&](double seconds) {
        return std::to_string(track + static_cast<int>(seconds * sectorsPerSecond));
    };
    WriteFaults(faults,
                bin + " " + sectorAt(badFrom) + " " + std::to_string(badSectors) + " eio\n");

    platform::Application application(argc, argv);
    platform::EnsureSystemDefaults();
    QWidget window;
    window.resize(800, 600);
    auto* panel = new TMMDisplay2(&window);
    panel->setGeometry(0, 0, 800, 600);
    window.show();

    QElapsedTimer clock;
    clock.start();
    qint64 lastTick = 0, longestGap = 0, stalledGap = -1;
    qint64 reachedBad = -1, movedPast = -1, stallArmed = -1;
    const double badEnd = badFrom + double(badSectors) / sectorsPerSecond;
    QTimer ticks;
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        if (lastTick > 0)
            longestGap = std::max(longestGap, now - lastTick);
        lastTick = now;
        const double seconds =
            panel->MediaPlayer() ? double(panel->MediaPlayer()->Position()) / fps : 0;
        if (reachedBad < 0 && seconds >= badFrom)
            reachedBad = now;
        if (movedPast < 0 && seconds >= badEnd + 0.2)
            movedPast = now;
        if (stallArmed < 0 && seconds >= stallAt - 4) {
            // Armed ahead of the play position, where the demuxer reads.
            WriteFaults(faults, bin + " " + sectorAt(stallAt) + " " +
                                    std::to_string(10 * sectorsPerSecond) + " sleep " +
                                    std::to_string(stallSeconds) + "\n");
            stallArmed = now;
            // Into the stall: a track of another drive, then the window closes.
            QTimer::singleShot(9000, [&] {
                stalledGap = longestGap; // the stall alone, before the open
                panel->PlayFile("F:\\MPEGAV\\AVSEQ02.DAT");
            });
            QTimer::singleShot(11000, [&] { window.close(); });
        }
    });
    ticks.start(5);
    QTimer::singleShot(0, [&] {
        lastTick = 0;
        panel->PlayFile("E:\\MPEGAV\\AVSEQ01.DAT");
    });
    QTimer::singleShot(120000, [&] { window.close(); }); // whatever happens
    QObject::connect(&application, &QGuiApplication::lastWindowClosed, [&] { ticks.stop(); });
    application.exec();

    if (reachedBad < 0 || movedPast < 0 || stallArmed < 0) {
        std::fprintf(stderr, "quelvo-bench-disc-stall: playback did not get through the track\n");
        return 1;
    }
    const double toMoving = double(movedPast - reachedBad) - (badEnd + 0.2 - badFrom) * 1000;
    std::printf("longest GUI-thread stall, playing through a %d s read stall, another track and "
                "the close: %lld ms; goal 50 ms; ratio %.2f\n",
                stallSeconds, static_cast<long long>(longestGap), double(longestGap) / 50);
    std::printf("of that, up to the other track's open (which waits until it has loaded): "
                "%lld ms; ratio %.2f\n",
                static_cast<long long>(stalledGap), double(stalledGap) / 50);
    std::printf("unreadable stretch (%d sectors) to the picture moving past it, beyond the "
                "stretch's own play time: %.0f ms; goal 1000 ms; ratio %.2f\n",
                badSectors, std::max(0.0, toMoving), std::max(0.0, toMoving) / 1000);
    return 0;
}
