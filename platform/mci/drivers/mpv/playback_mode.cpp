#include "platform/mci/drivers/mpv/playback_mode.h"

namespace platform::mci {

bool UntimedHeadlessPlayback() {
    return false;
}

} // namespace platform::mci
