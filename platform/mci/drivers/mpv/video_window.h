#pragma once
// A bare native GL surface for the video. It draws nothing itself: it asks
// for a redraw whenever the window system needs its pixels again, and hands
// the mouse on, since a native window of its own keeps it from the widgets
// beneath.
#include <functional>
#include <QMouseEvent>
#include <QWindow>

namespace platform::mci {

class VideoWindow final : public QWindow {
public:
    explicit VideoWindow(const QSurfaceFormat& format);

    std::function<void()> OnExposed;
    std::function<void(QMouseEvent* event)> OnMouse;

protected:
    void exposeEvent(QExposeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void passOn(QMouseEvent* event);
};

} // namespace platform::mci
