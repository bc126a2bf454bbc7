#include "app/model/fitandcenter.h"

#include "store/ownwindowplacement.h"

namespace Velmora {

QRectF fittedAndCentredFrame(const QSizeF &windowSize, const DisplayInfo &screen)
{
    return OwnWindowPlacement::fitAndCenter(windowSize, screen);
}

} // namespace Velmora
