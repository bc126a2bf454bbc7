#include "app/model/fitandcenter.h"

#include "store/ownwindowplacement.h"

#include <algorithm>

namespace Velmora {

QRectF fittedAndCentredFrame(const QSizeF &windowSize, const DisplayInfo &screen)
{
    const QRectF area = OwnWindowPlacement::barFreeArea(screen);
    const double width = std::min(area.width(), windowSize.width());
    const double height = std::min(area.height(), windowSize.height());
    const QPointF centre = area.center();
    return QRectF(centre.x() - width * 0.5, centre.y() - height * 0.5, width, height);
}

} // namespace Velmora
