#pragma once

#include <QPointF>
#include <QRectF>

namespace Velmora::ScreenGeometry {

// Whether `point` lies in `rect` as the window server decides it: the
// minimum edges belong to the rectangle, the maximum edges do not, so a point
// on the line between two displays belongs to exactly one of them.
inline bool contains(const QRectF &rect, const QPointF &point)
{
    return point.x() >= rect.x() && point.x() < rect.x() + rect.width() && point.y() >= rect.y()
        && point.y() < rect.y() + rect.height();
}

} // namespace Velmora::ScreenGeometry
