#include "platform/mci/drivers/mpv/video_window.h"

#include <QEvent>

namespace platform::mci {

VideoWindow::VideoWindow(const QSurfaceFormat& format) {
    setSurfaceType(QSurface::OpenGLSurface);
    setFormat(format);
}

bool VideoWindow::event(QEvent* event) {
    // Closing a window of its own hides it; the device keeps playing, as the
    // device alone decides when its window goes.
    if (event->type() == QEvent::Close) {
        event->ignore();
        hide();
        return true;
    }
    return QWindow::event(event);
}

void VideoWindow::exposeEvent(QExposeEvent*) {
    if (isExposed() && OnExposed)
        OnExposed();
}

} // namespace platform::mci
