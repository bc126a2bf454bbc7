#include "platform/sim/simscreens.h"

#include "platform/screencoordinates.h"
#include "platform/sim/simdesktopparts.h"
#include "platform/sim/simhost.h"

namespace Velmora::Sim {

SimScreens::SimScreens(SimDesktopParts &parts)
    : m_parts(parts)
{
}

void SimScreens::setDisplays(const QList<DisplayInfo> &displays)
{
    QList<DisplayInfo> arranged;
    const double primaryHeight = displays.isEmpty() ? 0 : displays.first().bounds.height();
    const ScreenCoordinates coordinates(primaryHeight);
    for (DisplayInfo display : displays) {
        display.frame = coordinates.toScreen(display.bounds);
        // Every display has a menu bar across its top.
        display.visibleFrame = display.frame.adjusted(0, 0, 0, -MenuBarHeight);
        arranged.append(display);
    }
    m_parts.world.setDisplays(arranged);
    m_parts.host.announceDisplaysChanged();
    m_parts.host.changed();
}

} // namespace Velmora::Sim
