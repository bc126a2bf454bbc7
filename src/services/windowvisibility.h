#pragma once

#include <QList>
#include <QRectF>

namespace Velmora {

// Whether any part of a window can be seen. All rectangles are in the window
// server's global coordinates (top-left origin, y down), in points.
class WindowVisibility
{
public:
    // The window's bounds are clipped to the displays, then every occluding
    // rectangle in front of it (front to back) is cut out. Visible means some
    // area is left. Edges are compared exactly, so a window covered up to a
    // fraction of a point still counts as visible.
    static bool isVisible(const QRectF &bounds, const QList<QRectF> &displays, const QList<QRectF> &behind);

    // What is left of `piece` once `cover` is cut out of it: up to four
    // non-empty rectangles (above, below, left, right of the overlap).
    static QList<QRectF> subtract(const QRectF &piece, const QRectF &cover);
};

} // namespace Velmora
