#include "platform/mci/drivers/mpv/video_surface_format.h"

namespace platform::mci {

QSurfaceFormat VideoSurfaceFormat() {
    QSurfaceFormat format = QSurfaceFormat::defaultFormat();
    format.setSwapInterval(0);
    return format;
}

} // namespace platform::mci
