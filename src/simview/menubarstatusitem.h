#pragma once

#include <QRectF>

class QPainter;

namespace Velmora::Sim {
class SimStatusItem;
}

namespace Velmora::SimView {

// The product's status item as the drawn menu bar shows it: a square slot
// at the bar's right end with the mark tinted like the bar's text, on a
// pressed background while its menu is open.
class MenuBarStatusItem
{
public:
    static constexpr double slotWidth = 30;
    static constexpr double markSize = 18;
    static constexpr double rightMargin = 10;

    // The item's slot in a menu bar of `barWidth` and `barHeight`, in the bar's coordinates.
    static QRectF slot(double barWidth, double barHeight);
    // Paints the item when it is installed; the painter's origin is the bar's top-left corner.
    static void paint(QPainter &painter, const Sim::SimStatusItem &item, double barWidth, double barHeight);
};

} // namespace Velmora::SimView
