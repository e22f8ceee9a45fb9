#pragma once
// Colours as the program stores them: 0x00BBGGRR, red in the lowest byte.
#include "platform/wintypes.h"

#include <cstdint>
#include <QColor>

namespace platform {

using TColor = std::int32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clNavy = 0x800000;
constexpr TColor clWhite = 0xFFFFFF;

constexpr TColor RGB(int red, int green, int blue) {
    return red | (green << 8) | (blue << 16);
}

// A colour with the top bit set names a system colour by the index in its
// low byte (COLOR_WINDOW, COLOR_BTNFACE, ...).
inline constexpr TColor clSystemColor = static_cast<TColor>(0x80000000u);
inline constexpr int COLOR_BTNFACE = 15;

// The current 0x00BBGGRR value of a system colour; 0 for an unknown index.
DWORD GetSysColor(int index);
// The colour itself, with a system colour resolved to its current value.
TColor ColorToRGB(TColor color);

QColor ToQColor(TColor color);

} // namespace platform
