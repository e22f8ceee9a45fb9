// What the display panel costs on top of its media device, playing a Video CD
// clip in real time: the CPU of one 200 ms poll, and the whole process's CPU
// for the same stretch of playback with and without the panel.
// Usage: quelvo-bench-panel CLIP.mpg   (under an X server)
#include "display/MediaPlayer.h"
#include "display/MMDisplay2.h"

#include "platform/clock/CpuTime.h"
#include "platform/mci/system_defaults.h"
#include "platform/ui/Application.h"

#include <algorithm>
#include <cstdio>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>
#include <vector>

namespace {

const int PlaySeconds = 8;
const int Rounds = 3;

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void runFor(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// Process CPU seconds for PlaySeconds of playback, after a second to settle.
double playBare(QWidget& window, const QString& clip) {
    TMediaPlayer device;
    device.FileName = clip;
    device.SetDisplay(&window);
    device.Open();
    device.SetDisplayRect({79, 1, 640, 480}); // where the panel's Fit puts it
    device.Play();
    runFor(1000);
    const double start = platform::ProcessCpuSeconds();
    runFor(PlaySeconds * 1000);
    const double used = platform::ProcessCpuSeconds() - start;
    device.Close();
    return used;
}

struct PanelRun {
    double processSeconds;
    double pollMicroseconds;
};

PanelRun playInPanel(QWidget& window, const QString& clip) {
    auto* panel = new TMMDisplay2(&window);
    panel->setGeometry(0, 0, 800, 482);
    panel->SetCenter(true);
    panel->SetStretchToFit(true);
    panel->SetShrinkToFit(true);
    panel->show();
    panel->PlayFile(clip);
    runFor(1000);
    const double start = platform::ProcessCpuSeconds();
    runFor(PlaySeconds * 1000);
    const double used = platform::ProcessCpuSeconds() - start;

    // One poll, on its own: the GUI thread's CPU for many polls in a row.
    const int polls = 2000;
    const double pollStart = platform::ThreadCpuSeconds();
    for (int i = 0; i < polls; ++i)
        panel->TimerTick();
    const double perPoll = (platform::ThreadCpuSeconds() - pollStart) / polls * 1e6;
    delete panel;
    return {used, perPoll};
}

} // namespace

int main(int argc, char** argv) {
    platform::Application application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: quelvo-bench-panel CLIP\n");
        return 2;
    }
    platform::EnsureSystemDefaults();
    const QString clip = QString::fromLocal8Bit(argv[1]);
    QWidget window;
    window.resize(800, 482);
    window.show();
    runFor(300);

    // Alternating rounds, so that a busy moment of the machine falls on both.
    std::vector<double> bare, inPanel, polls;
    for (int round = 0; round < Rounds; ++round) {
        bare.push_back(playBare(window, clip));
        const PanelRun run = playInPanel(window, clip);
        inPanel.push_back(run.processSeconds);
        polls.push_back(run.pollMicroseconds);
    }
    const double poll = median(polls);
    std::printf("one panel poll: median %.1f us of CPU; goal 20 us; ratio %.2f\n", poll,
                poll / 20.0);
    std::printf("process CPU for %d s of playback, median of %d: bare device %.3f s, in the "
                "panel %.3f s; ratio %.3f; goal <= 1.02\n",
                PlaySeconds, Rounds, median(bare), median(inPanel), median(inPanel) / median(bare));
    return 0;
}
