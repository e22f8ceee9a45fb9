// Measures the media stack for bench/media/run, one measurement per run:
//   quelvo-mcibench play FILE         plays FILE to its end in a 640x480
//                                     window, as the player shows it
//   quelvo-mcibench first-frame FILE RUNS
//                                     prints the median milliseconds from
//                                     open to the first picture on screen
// (The panel's own poll is measured on the panel itself, by bench/panel.)
#include "platform/mci/mci.h"
#include "platform/mci/system_defaults.h"
#include "platform/ui/Messages.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <string>
#include <vector>

using namespace platform;

namespace {

const QColor background(0, 0, 255);

class PlayerWindow : public QWidget {
public:
    PlayerWindow() {
        setAutoFillBackground(true);
        QPalette colours = palette();
        colours.setColor(QPalette::Window, background);
        setPalette(colours);
        setFixedSize(640, 480);
    }

    std::function<void()> OnEnded;

protected:
    bool event(QEvent* event) override {
        if (event->type() == MessageEvent::EventType() &&
            static_cast<MessageEvent*>(event)->Msg == MM_MCINOTIFY) {
            if (OnEnded)
                OnEnded();
            return true;
        }
        return QWidget::event(event);
    }
};

// Checks `done` at least every millisecond while events run.
void runEventsUntil(const std::function<bool()>& done) {
    QTimer wake;
    wake.start(1);
    while (!done())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

MCIDEVICEID openInto(const std::string& file, PlayerWindow& window) {
    MCI_OPEN_PARMSA open{};
    open.lpstrElementName = file.c_str();
    if (MCIERROR error = mciSendCommandA(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_WAIT,
                                         reinterpret_cast<DWORD_PTR>(&open))) {
        char text[256];
        mciGetErrorStringA(error, text, sizeof text);
        std::fprintf(stderr, "cannot open %s: %s\n", file.c_str(), text);
        std::exit(1);
    }
    MCI_ANIM_WINDOW_PARMSA display{0, &window, 0, nullptr};
    mciSendCommandA(open.wDeviceID, MCI_WINDOW, MCI_ANIM_WINDOW_HWND,
                    reinterpret_cast<DWORD_PTR>(&display));
    MCI_ANIM_RECT_PARMS put{0, {0, 0, 640, 480}};
    mciSendCommandA(open.wDeviceID, MCI_PUT, MCI_ANIM_RECT | MCI_ANIM_PUT_DESTINATION,
                    reinterpret_cast<DWORD_PTR>(&put));
    return open.wDeviceID;
}

void play(MCIDEVICEID device, PlayerWindow& window) {
    MCI_GENERIC_PARMS play{reinterpret_cast<DWORD_PTR>(&window)};
    mciSendCommandA(device, MCI_PLAY, MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&play));
}

void close(MCIDEVICEID device) {
    MCI_GENERIC_PARMS close{0};
    mciSendCommandA(device, MCI_CLOSE, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&close));
}

void showAndWait(PlayerWindow& window) {
    window.show();
    runEventsUntil([&] { return window.windowHandle() && window.windowHandle()->isExposed(); });
}

int playToTheEnd(const std::string& file) {
    PlayerWindow window;
    showAndWait(window);
    const MCIDEVICEID device = openInto(file, window);
    QEventLoop playing;
    window.OnEnded = [&] { playing.quit(); };
    play(device, window);
    playing.exec();
    close(device);
    return 0;
}

bool pictureShown(PlayerWindow& window) {
    const QImage shot = window.screen()->grabWindow(window.winId(), 320, 240, 1, 1).toImage();
    return shot.pixelColor(0, 0) != background;
}

int firstFrame(const std::string& file, int runs) {
    PlayerWindow window;
    showAndWait(window);
    std::vector<double> samples;
    for (int run = 0; run <= runs; ++run) { // the first run warms the caches and is not counted
        QElapsedTimer elapsed;
        elapsed.start();
        const MCIDEVICEID device = openInto(file, window);
        play(device, window);
        runEventsUntil([&] { return pictureShown(window); });
        const double milliseconds = elapsed.nsecsElapsed() / 1e6;
        if (run > 0)
            samples.push_back(milliseconds);
        close(device);
        runEventsUntil([&] { return !pictureShown(window); });
    }
    std::sort(samples.begin(), samples.end());
    std::printf("%.1f %.1f %.1f\n", samples[samples.size() / 2], samples.front(), samples.back());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    EnsureSystemDefaults();
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (arguments.size() == 2 && arguments[0] == "play")
        return playToTheEnd(arguments[1]);
    if (arguments.size() == 3 && arguments[0] == "first-frame")
        return firstFrame(arguments[1], std::stoi(arguments[2]));
    std::fprintf(stderr, "usage: quelvo-mcibench play FILE | first-frame FILE RUNS\n");
    return 2;
}
