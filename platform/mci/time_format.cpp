#include "platform/mci/time_format.h"

#include <algorithm>
#include <cmath>

namespace platform::mci {

DWORD SecondsToUnits(double seconds, DWORD format, double framesPerSecond) {
    seconds = std::max(seconds, 0.0);
    if (format == MCI_FORMAT_FRAMES)
        return static_cast<DWORD>(std::llround(seconds * framesPerSecond));
    return static_cast<DWORD>(std::llround(seconds * 1000.0));
}

double UnitsToSeconds(DWORD value, DWORD format, double framesPerSecond) {
    if (format == MCI_FORMAT_FRAMES)
        return framesPerSecond > 0 ? value / framesPerSecond : 0.0;
    return value / 1000.0;
}

} // namespace platform::mci
