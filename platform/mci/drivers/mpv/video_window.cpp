#include "platform/mci/drivers/mpv/video_window.h"

namespace platform::mci {

VideoWindow::VideoWindow(const QSurfaceFormat& format) {
    setSurfaceType(QSurface::OpenGLSurface);
    setFormat(format);
}

void VideoWindow::exposeEvent(QExposeEvent*) {
    if (isExposed() && OnExposed)
        OnExposed();
}

void VideoWindow::mousePressEvent(QMouseEvent* event) {
    passOn(event);
}

void VideoWindow::mouseReleaseEvent(QMouseEvent* event) {
    passOn(event);
}

void VideoWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    passOn(event);
}

void VideoWindow::mouseMoveEvent(QMouseEvent* event) {
    passOn(event);
}

void VideoWindow::passOn(QMouseEvent* event) {
    if (OnMouse)
        OnMouse(event);
    else
        event->ignore();
}

} // namespace platform::mci
