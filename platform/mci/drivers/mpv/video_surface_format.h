#pragma once
// The surface format of every OpenGL context and window the video uses.
#include <QSurfaceFormat>

namespace platform::mci {

// The application's default format without waiting for vertical sync: the
// frames are drawn on the GUI thread, which must not sit in swapBuffers until
// the screen's next refresh, and mpv times the frames itself.
QSurfaceFormat VideoSurfaceFormat();

} // namespace platform::mci
