#pragma once
// Conversions between seconds and the MCI time formats a driver offers.
#include "platform/mci/mci.h"

namespace platform::mci {

bool IsSupportedTimeFormat(DWORD format);

// `seconds` in `format`: whole milliseconds, packed hours-minutes-seconds
// (whole seconds) or the nearest frame at `framesPerSecond`.
DWORD SecondsToUnits(double seconds, DWORD format, double framesPerSecond);

// The time that `value` in `format` stands for.
double UnitsToSeconds(DWORD value, DWORD format, double framesPerSecond);

} // namespace platform::mci
