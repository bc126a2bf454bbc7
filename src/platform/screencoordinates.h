#pragma once

#include <QPointF>
#include <QRect>
#include <QRectF>

namespace Velmora {

// Converts between the two coordinate conventions of the desktop:
// - screen coordinates (screen frames, the pointer, our own windows): origin at
//   the bottom left of the primary display, y up;
// - global coordinates (window-list bounds, accessibility positions, display
//   bounds): origin at the top left of the primary display, y down.
// Qt's global coordinates are the second kind, rounded to whole pixels.
// Both share x and differ by a flip around the primary display's height.
class ScreenCoordinates
{
public:
    explicit ScreenCoordinates(double primaryHeight)
        : m_primaryHeight(primaryHeight)
    {
    }

    double primaryHeight() const { return m_primaryHeight; }

    QPointF toGlobal(const QPointF &screenPoint) const;
    QPointF toScreen(const QPointF &globalPoint) const;
    QRectF toGlobal(const QRectF &screenRect) const;
    QRectF toScreen(const QRectF &globalRect) const;

    // A screen rectangle in Qt's coordinates; edges are rounded so that two
    // rectangles that touch still touch.
    QRect toQt(const QRectF &screenRect) const;
    QRectF fromQt(const QRect &qtRect) const;

private:
    double m_primaryHeight;
};

} // namespace Velmora
