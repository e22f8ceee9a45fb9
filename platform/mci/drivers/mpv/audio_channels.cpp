#include "platform/mci/drivers/mpv/audio_channels.h"

namespace platform::mci {

const char* ChannelFilter(bool leftHeard, bool rightHeard) {
    if (leftHeard == rightHeard)
        return "";
    return leftHeard ? "lavfi=[pan=stereo|c0=FL|c1=FL]" : "lavfi=[pan=stereo|c0=FR|c1=FR]";
}

} // namespace platform::mci
