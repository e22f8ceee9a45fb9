#pragma once
// Two-colour gradient fills through the system's gradient service, which is
// loaded on first use; where it is missing nothing is drawn.
#include "platform/graphics/GradientFill.h"
#include "platform/ui/Colors.h"

// Fills Rect from StartColor (left or top edge) to EndColor (right or bottom
// edge); false when the service is unavailable or failed.
bool FillGradient(const platform::RECT& Rect, platform::HDC DC, platform::TColor StartColor,
                  platform::TColor EndColor, bool Vertical);
