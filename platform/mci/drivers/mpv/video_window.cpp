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

} // namespace platform::mci
