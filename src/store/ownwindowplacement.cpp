#include "store/ownwindowplacement.h"

#include <algorithm>

namespace Velmora::OwnWindowPlacement {

// Rectangles here are bottom-left based: y() is the bottom edge and
// y() + height() the top.

QRectF barFreeArea(const DisplayInfo &screen)
{
    const QRectF visible = screen.visibleFrame;
    const double raise = std::max(0.0, screen.frame.y() + taskbarHeight - visible.y());
    return QRectF(visible.x(), visible.y() + raise, visible.width(), std::max(0.0, visible.height() - raise));
}

std::optional<DisplayInfo> screenUnderPointer(
    const QList<DisplayInfo> &screens, const QPointF &pointer, const std::optional<DisplayInfo> &mainScreen)
{
    for (const DisplayInfo &screen : screens) {
        const QRectF f = screen.frame;
        if (pointer.x() >= f.left() && pointer.x() <= f.right() && pointer.y() >= f.top() && pointer.y() <= f.bottom())
            return screen;
    }
    return mainScreen;
}

QRectF fitAndCenter(const QSizeF &size, const DisplayInfo &screen)
{
    const QRectF area = barFreeArea(screen);
    const QSizeF fitted(std::min(size.width(), area.width()), std::min(size.height(), area.height()));
    return QRectF(area.center() - QPointF(fitted.width() / 2, fitted.height() / 2), fitted);
}

std::optional<QRectF> grownToHeight(const QRectF &frame, double wantedHeight, const QRectF &area)
{
    const double height = std::min(wantedHeight, area.height());
    if (!(height - frame.height() > 0.5))
        return std::nullopt;
    double bottom = frame.y() - (height - frame.height());
    bottom = std::max(bottom, area.y());
    bottom = std::min(bottom, area.y() + area.height() - height);
    return QRectF(frame.x(), bottom, frame.width(), height);
}

} // namespace Velmora::OwnWindowPlacement
