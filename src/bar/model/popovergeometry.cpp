#include "bar/model/popovergeometry.h"

#include <algorithm>

namespace Velmora {

namespace {

qreal keepWithin(qreal position, qreal length, qreal low, qreal high)
{
    // A window larger than the room starts at the low edge, so its start
    // (where a flyout's content begins) stays visible.
    return std::max(low, std::min(position, high - length));
}

} // namespace

QRectF PopoverGeometry::frame(const QRectF &anchor, const QSizeF &contentSize, Qt::Edge edge, const QRectF &screen)
{
    QRectF frame(QPointF(), contentSize);
    switch (edge) {
    case Qt::TopEdge:
        frame.moveBottom(anchor.top() - anchorGap);
        frame.moveLeft(anchor.center().x() - contentSize.width() / 2);
        break;
    case Qt::BottomEdge:
        frame.moveTop(anchor.bottom() + anchorGap);
        frame.moveLeft(anchor.center().x() - contentSize.width() / 2);
        break;
    case Qt::LeftEdge:
        frame.moveRight(anchor.left() - anchorGap);
        frame.moveTop(anchor.center().y() - contentSize.height() / 2);
        break;
    case Qt::RightEdge:
        frame.moveLeft(anchor.right() + anchorGap);
        frame.moveTop(anchor.center().y() - contentSize.height() / 2);
        break;
    }
    if (screen.isEmpty())
        return frame;
    const QRectF room = screen.adjusted(screenMargin, screenMargin, -screenMargin, -screenMargin);
    // Along the edge the window slides to stay on screen; across it, it stays
    // off the anchor (the bar is at the screen's edge, so there is room).
    if (edge == Qt::TopEdge || edge == Qt::BottomEdge)
        frame.moveLeft(keepWithin(frame.left(), frame.width(), room.left(), room.right()));
    else
        frame.moveTop(keepWithin(frame.top(), frame.height(), room.top(), room.bottom()));
    return frame;
}

} // namespace Velmora
