#include "display/VideoPlacement.h"

#include <cmath>
#include <cstdint>

namespace {

// Nearest whole number, halves to the even neighbour.
int roundHalfEven(double value) {
    return static_cast<int>(std::nearbyint(value));
}

// The products are 32-bit, as the device's numbers are.
std::int32_t product32(int a, int b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(b));
}

} // namespace

std::optional<TVideoPlacement> PlaceVideo(const TVideoPlacementInput& input) {
    const int border = input.Border;
    const int aw = input.ClientWidth - 2 * border;
    const int ah = input.ClientHeight - 2 * border;
    const int zw = roundHalfEven(product32(input.NaturalWidth, input.Zoom) / 100.0);
    const int zh = roundHalfEven(product32(input.NaturalHeight, input.Zoom) / 100.0);
    if (aw <= 0 || ah <= 0 || zw <= 0 || zh <= 0)
        return std::nullopt;

    double w = zw;
    double h = zh;
    const auto fitToWidth = [&] {
        w = aw;
        h = std::trunc(zh / (static_cast<double>(zw) / aw));
    };
    const auto fitToHeight = [&] {
        w = std::trunc(zw / (static_cast<double>(zh) / ah));
        h = ah;
    };
    if (static_cast<double>(zw) / aw > static_cast<double>(zh) / ah) {
        if (zw > aw ? input.ShrinkToFit : input.StretchToFit)
            fitToWidth();
    } else {
        if (zh > ah ? input.ShrinkToFit : input.StretchToFit)
            fitToHeight();
    }
    int W = static_cast<int>(w);
    int H = static_cast<int>(h);

    int x = input.Center && W < aw ? roundHalfEven(aw / 2.0 - W / 2.0) : border;
    int y = input.Center && H < ah ? roundHalfEven(ah / 2.0 - H / 2.0) : border;
    if (x < border || x > input.ScreenWidth)
        x = border;
    if (y < border || y > input.ScreenHeight)
        y = border;
    if (H < 0 || H > 30000)
        H = ah;
    if (W < 0 || W > 30000)
        W = aw;

    return TVideoPlacement{{x, y, W, H}, W * 100 / input.NaturalWidth};
}
