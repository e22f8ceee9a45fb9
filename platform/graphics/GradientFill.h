#pragma once
// The system's two-colour gradient service, drawn with Qt. A device context
// is the painter of the surface being drawn.
#include "platform/wintypes.h"

class QPainter;

namespace platform {

using HDC = QPainter*;
using COLOR16 = std::uint16_t;
using ULONG = std::uint32_t;

struct TRIVERTEX {
    LONG x;
    LONG y;
    COLOR16 Red; // 8-bit channel in the high byte
    COLOR16 Green;
    COLOR16 Blue;
    COLOR16 Alpha;
};

struct GRADIENT_RECT {
    ULONG UpperLeft;
    ULONG LowerRight;
};

inline constexpr ULONG GRADIENT_FILL_RECT_H = 0;
inline constexpr ULONG GRADIENT_FILL_RECT_V = 1;

using GradientFillProc = BOOL (*)(HDC dc, TRIVERTEX* vertices, ULONG vertexCount, void* mesh,
                                  ULONG meshCount, ULONG mode);

// Fills each rectangle of the mesh from its upper-left vertex's colour to its
// lower-right vertex's, left to right (H) or top to bottom (V). Only
// rectangle meshes are drawn; anything else, or a vertex index out of range,
// fails with nothing drawn.
BOOL GradientFill(HDC dc, TRIVERTEX* vertices, ULONG vertexCount, void* mesh, ULONG meshCount,
                  ULONG mode);

} // namespace platform
