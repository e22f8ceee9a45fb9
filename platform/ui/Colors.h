#pragma once
// Colours as the program stores them: 0x00BBGGRR, red in the lowest byte.
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

QColor ToQColor(TColor color);

} // namespace platform
