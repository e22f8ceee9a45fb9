#pragma once
// A bare native GL surface for the video. It draws nothing itself: it asks
// for a redraw whenever the window system needs its pixels again.
#include <functional>
#include <QWindow>

namespace platform::mci {

class VideoWindow final : public QWindow {
public:
    explicit VideoWindow(const QSurfaceFormat& format);

    std::function<void()> OnExposed;

protected:
    void exposeEvent(QExposeEvent* event) override;
};

} // namespace platform::mci
