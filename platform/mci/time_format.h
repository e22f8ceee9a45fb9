#pragma once
// Conversions between seconds and the MCI time formats the video driver
// counts in: milliseconds and frames.
#include "platform/mci/mci.h"

namespace platform::mci {

// `seconds` in `format`: the nearest frame at `framesPerSecond` for
// MCI_FORMAT_FRAMES, else whole milliseconds.
DWORD SecondsToUnits(double seconds, DWORD format, double framesPerSecond);

// The time that `value` in `format` stands for.
double UnitsToSeconds(DWORD value, DWORD format, double framesPerSecond);

} // namespace platform::mci
