#include "platform/graphics/GradientFill.h"

#include <QLinearGradient>
#include <QPainter>

namespace platform {
namespace {

QColor vertexColour(const TRIVERTEX& vertex) {
    return QColor(vertex.Red >> 8, vertex.Green >> 8, vertex.Blue >> 8);
}

} // namespace

BOOL GradientFill(HDC dc, TRIVERTEX* vertices, ULONG vertexCount, void* mesh, ULONG meshCount,
                  ULONG mode) {
    if (!dc || !vertices || !mesh || (mode != GRADIENT_FILL_RECT_H && mode != GRADIENT_FILL_RECT_V))
        return 0;
    const auto* rects = static_cast<const GRADIENT_RECT*>(mesh);
    for (ULONG i = 0; i < meshCount; ++i)
        if (rects[i].UpperLeft >= vertexCount || rects[i].LowerRight >= vertexCount)
            return 0;
    for (ULONG i = 0; i < meshCount; ++i) {
        const TRIVERTEX& from = vertices[rects[i].UpperLeft];
        const TRIVERTEX& to = vertices[rects[i].LowerRight];
        const QRect area(QPoint(from.x, from.y), QPoint(to.x - 1, to.y - 1));
        if (area.isEmpty())
            continue;
        // The colours sit on the first and last pixel rows (or columns).
        const bool vertical = mode == GRADIENT_FILL_RECT_V;
        QLinearGradient ramp(
            vertical ? QPointF(0, area.top() + 0.5) : QPointF(area.left() + 0.5, 0),
            vertical ? QPointF(0, area.bottom() + 0.5) : QPointF(area.right() + 0.5, 0));
        ramp.setColorAt(0, vertexColour(from));
        ramp.setColorAt(1, vertexColour(to));
        dc->fillRect(area, ramp);
    }
    return 1;
}

} // namespace platform
