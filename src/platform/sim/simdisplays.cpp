#include "platform/sim/simdisplays.h"

#include "platform/screencoordinates.h"
#include "platform/sim/simdesktop.h"
#include "platform/sim/simoperations.h"

namespace Velmora::Sim {

SimDisplays::SimDisplays(SimDesktopAccess world, QObject *parent)
    : Displays(parent)
    , m_desktop(world.desktop())
    , m_world(world)
{
    connect(&m_desktop, &SimDesktop::displaysChanged, this, &Displays::screensChanged);
}

QList<DisplayInfo> SimDisplays::screens() const
{
    return m_desktop.displays();
}

std::optional<DisplayInfo> SimDisplays::mainScreen() const
{
    const QList<DisplayInfo> all = screens();
    if (all.isEmpty())
        return std::nullopt;
    if (const std::optional<qint32> front = m_desktop.frontmostPid()) {
        const std::optional<quint32> focused = m_desktop.focusedWindow(*front);
        // The window may close between the two reads.
        if (const std::optional<SimWindow> window = focused ? m_desktop.window(*focused) : std::nullopt) {
            const QPointF centre = window->bounds.center();
            for (const DisplayInfo &display : all) {
                if (display.bounds.contains(centre))
                    return display;
            }
        }
    }
    return all.first();
}

std::optional<QList<quint32>> SimDisplays::activeDisplayList() const
{
    if (m_world.refuses(SimOperations::ActiveDisplayList, {}, 0))
        return std::nullopt;
    QList<quint32> ids;
    for (const DisplayInfo &display : screens())
        ids.append(display.displayId);
    return ids;
}

QPointF SimDisplays::pointerLocation() const
{
    const QList<DisplayInfo> all = screens();
    const ScreenCoordinates coordinates(all.isEmpty() ? 0 : all.first().bounds.height());
    return coordinates.toScreen(m_desktop.pointer());
}

} // namespace Velmora::Sim
