#include "platform/screencoordinates.h"

#include <cmath>

namespace Velmora {

QPointF ScreenCoordinates::toGlobal(const QPointF &screenPoint) const
{
    return {screenPoint.x(), m_primaryHeight - screenPoint.y()};
}

QPointF ScreenCoordinates::toScreen(const QPointF &globalPoint) const
{
    // The flip is its own inverse.
    return toGlobal(globalPoint);
}

QRectF ScreenCoordinates::toGlobal(const QRectF &screenRect) const
{
    return {screenRect.x(), m_primaryHeight - screenRect.y() - screenRect.height(), screenRect.width(),
            screenRect.height()};
}

QRectF ScreenCoordinates::toScreen(const QRectF &globalRect) const
{
    return toGlobal(globalRect);
}

QRect ScreenCoordinates::toQt(const QRectF &screenRect) const
{
    const QRectF global = toGlobal(screenRect);
    const int left = int(std::lround(global.left()));
    const int top = int(std::lround(global.top()));
    const int right = int(std::lround(global.left() + global.width()));
    const int bottom = int(std::lround(global.top() + global.height()));
    return QRect(left, top, right - left, bottom - top);
}

QRectF ScreenCoordinates::fromQt(const QRect &qtRect) const
{
    return toScreen(QRectF(qtRect));
}

} // namespace Velmora
