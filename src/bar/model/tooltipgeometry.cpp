#include "bar/model/tooltipgeometry.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace Velmora {

namespace {

// Distance from `point` to `rect`, 0 inside. Screen frames are half-open on
// their far edges, as the desktop counts them.
qreal distance(const QPointF &point, const QRectF &rect)
{
    const qreal dx = std::max({ rect.left() - point.x(), 0.0, point.x() - rect.right() });
    const qreal dy = std::max({ rect.top() - point.y(), 0.0, point.y() - rect.bottom() });
    return std::hypot(dx, dy);
}

bool holds(const QRectF &frame, const QPointF &point)
{
    return point.x() >= frame.left() && point.x() < frame.right() && point.y() >= frame.top()
        && point.y() < frame.bottom();
}

std::optional<QRectF> screenFor(const QPointF &pointer, const QList<QRectF> &screenFrames)
{
    for (const QRectF &frame : screenFrames) {
        if (holds(frame, pointer))
            return frame;
    }
    std::optional<QRectF> nearest;
    qreal best = std::numeric_limits<qreal>::infinity();
    for (const QRectF &frame : screenFrames) {
        const qreal d = distance(pointer, frame);
        if (d < best) {
            best = d;
            nearest = frame;
        }
    }
    return nearest;
}

} // namespace

QSizeF TooltipGeometry::panelSize(const QSizeF &textSize)
{
    return { std::ceil(textSize.width() + 2 * horizontalPadding), std::ceil(textSize.height() + 2 * verticalPadding) };
}

QRectF TooltipGeometry::frame(const QPointF &pointer, const QSizeF &size, const QList<QRectF> &screenFrames)
{
    qreal x = pointer.x() - size.width() / 2;
    qreal y = pointer.y() + pointerGap;
    if (const std::optional<QRectF> screen = screenFor(pointer, screenFrames)) {
        // In this order, so the right edge wins when the screen is too narrow.
        x = std::max(x, screen->left() + screenInset);
        x = std::min(x, screen->right() - size.width() - screenInset);
        // In screen coordinates the frame's top() is its lowest edge: its
        // bottom() is the top of the screen.
        y = std::min(y, screen->bottom() - size.height());
    }
    return { QPointF(x, y), size };
}

} // namespace Velmora
