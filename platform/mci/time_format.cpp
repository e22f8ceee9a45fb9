#include "platform/mci/time_format.h"

#include <algorithm>
#include <cmath>

namespace platform::mci {

bool IsSupportedTimeFormat(DWORD format) {
    return format == MCI_FORMAT_MILLISECONDS || format == MCI_FORMAT_HMS ||
           format == MCI_FORMAT_FRAMES;
}

DWORD SecondsToUnits(double seconds, DWORD format, double framesPerSecond) {
    seconds = std::max(seconds, 0.0);
    switch (format) {
    case MCI_FORMAT_HMS: {
        const auto whole = static_cast<DWORD>(seconds);
        return MCI_MAKE_HMS(whole / 3600, whole / 60 % 60, whole % 60);
    }
    case MCI_FORMAT_FRAMES:
        return static_cast<DWORD>(std::llround(seconds * framesPerSecond));
    default:
        return static_cast<DWORD>(std::llround(seconds * 1000.0));
    }
}

double UnitsToSeconds(DWORD value, DWORD format, double framesPerSecond) {
    switch (format) {
    case MCI_FORMAT_HMS:
        return MCI_HMS_HOUR(value) * 3600.0 + MCI_HMS_MINUTE(value) * 60.0 + MCI_HMS_SECOND(value);
    case MCI_FORMAT_FRAMES:
        return framesPerSecond > 0 ? value / framesPerSecond : 0.0;
    default:
        return value / 1000.0;
    }
}

} // namespace platform::mci
