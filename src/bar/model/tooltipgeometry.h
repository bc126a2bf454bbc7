#pragma once

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>

namespace Velmora {

// Where the bar's tooltip goes and how big it is. All in points, in the
// screen convention (origin at the bottom left of the primary display, y up).
class TooltipGeometry
{
public:
    static constexpr qint64 showDelayMs = 300;
    static constexpr qreal fontPointSize = 12;
    static constexpr qreal horizontalPadding = 10;
    static constexpr qreal verticalPadding = 7;
    static constexpr qreal cornerRadius = 5;
    // Kept at least this far from the left and right edges of its screen.
    static constexpr qreal screenInset = 6;
    // The tooltip's bottom edge lies this far above the pointer.
    static constexpr qreal pointerGap = 18;

    // The panel around a title whose text measures `textSize`.
    static QSizeF panelSize(const QSizeF &textSize);

    // The panel's frame for a pointer at `pointer`: centred above it, and
    // inside the left and right edges of the first screen whose frame holds
    // the pointer; the right edge wins on a screen too narrow for it. A
    // pointer on no screen (between screens, a screen just removed) is kept
    // to the nearest one; without screens nothing is clamped. The panel is
    // also kept below the top of its screen, so a pointer at the very top
    // does not push it off.
    static QRectF frame(const QPointF &pointer, const QSizeF &size, const QList<QRectF> &screenFrames);

    TooltipGeometry() = delete;
};

} // namespace Velmora
