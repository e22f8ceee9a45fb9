#pragma once
// Where the panel puts its video: the natural size at a zoom, fitted to the
// room inside the border when asked, centred when asked. Pure arithmetic, so
// that every rounding rule can be checked without a widget or a device.
#include "platform/wintypes.h"

#include <optional>

struct TVideoPlacementInput {
    int NaturalWidth = 0;
    int NaturalHeight = 0;
    int Zoom = 100; // per cent
    int ClientWidth = 0;
    int ClientHeight = 0;
    int Border = 1;
    bool Center = false;
    bool StretchToFit = false;
    bool ShrinkToFit = false;
    // The screen's size in pixels: an offset beyond it falls back to the border.
    int ScreenWidth = 0;
    int ScreenHeight = 0;
};

struct TVideoPlacement {
    // Left, top, width and height, as the device's display rectangle takes them.
    platform::RECT Rect{};
    // The zoom the placed width amounts to, truncated to whole per cent.
    int Zoom = 0;
};

// Nothing when there is no room inside the border or the zoomed size is
// empty; the caller then leaves the video where it was.
std::optional<TVideoPlacement> PlaceVideo(const TVideoPlacementInput& input);
