#include "bar/model/traybuttonstyle.h"

namespace Velmora {

qreal TrayButtonStyle::fillOpacity(bool pressed, bool hovering)
{
    if (pressed)
        return pressedFillOpacity;
    return hovering ? hoverFillOpacity : 0;
}

} // namespace Velmora
