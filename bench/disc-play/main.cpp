// Wall time of the main window's disc scan (folder tests, listing, track
// list, log lines) on the drive the configuration maps, without opening the
// track it selects. Prints the median and the spread.
// Usage: quelvo-bench-disc-play RUNS
#include "app/uMain.h"
#include "system/SettingsStore.h"
#include "windows/uLogging.h"

#include "platform/ui/Application.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <vector>

int main(int argc, char** argv) {
    platform::Application application(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 101;
    // As a user who has run this version before: a fresh configuration would
    // first ask about the .dat files, and nobody here answers.
    SaveSetting("Quelvo Player", "", "Version", GetProgramVersion());
    TdlgMain window;
    TdlgLog log;
    if (window.cmbcd->count() == 0) {
        std::fprintf(stderr, "quelvo-bench-disc-play: no CD-ROM drive is mapped\n");
        return 1;
    }
    std::vector<double> milliseconds;
    for (int run = 0; run <= runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        window.cmbcdChange();
        const double elapsed = timer.nsecsElapsed() / 1e6;
        // The track the scan selected is not opened: only the scan is measured.
        QCoreApplication::removePostedEvents(&window);
        if (run > 0) // the first scan meets a cold disc
            milliseconds.push_back(elapsed);
    }
    std::sort(milliseconds.begin(), milliseconds.end());
    const double median = milliseconds[milliseconds.size() / 2];
    std::printf("disc scan of a Video CD image: median %.2f ms over %d runs (min %.2f, max %.2f); "
                "goal 5 ms; ratio %.2f; %d tracks\n",
                median, runs, milliseconds.front(), milliseconds.back(), median / 5.0,
                window.cmbtrack->count());
    return 0;
}
