#pragma once
// The panel's position texts: "1:05 / 3:20" for the toolbar, "1m:05s / 3m:20s"
// under the caption, in whichever time format the device counts.
#include "platform/mci/mci.h"

#include <QString>

// Formats a packed hours-minutes-seconds time: 5:07 or 1:05:07, with units
// 5m:07s or 1h:05m:07s.
QString FormatTime(platform::DWORD packed, bool withUnits);

// Position and length as the device reports them in timeFormat (milliseconds,
// packed hours-minutes-seconds or frames); empty for any other format.
QString PositionText(platform::DWORD timeFormat, platform::DWORD position, platform::DWORD length,
                     bool withUnits);
