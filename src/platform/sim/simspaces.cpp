#include "platform/sim/simspaces.h"

#include "platform/sim/simdesktopparts.h"
#include "platform/sim/simhost.h"

namespace Velmora::Sim {

SimSpaces::SimSpaces(SimDesktopParts &parts)
    : m_parts(parts)
{
}

bool SimSpaces::setFullScreen(quint32 number, bool on)
{
    SimWindow *w = m_parts.world.window(number);
    if (!w || w->fullScreen == on || m_changing.contains(number))
        return false;
    if (!m_parts.knobs.fullScreenMovesToOwnSpace) {
        w->fullScreen = on;
        m_parts.host.changed();
        return true;
    }
    m_changing.insert(number);
    m_parts.host.laterLocked(m_parts.knobs.fullScreenTransitionMs, [this, number, on] {
        if (!m_changing.remove(number) || !m_parts.world.window(number))
            return;
        on ? enter(number) : leave(number);
    });
    return true;
}

void SimSpaces::enter(quint32 number)
{
    SimWorld &world = m_parts.world;
    SimWindow *w = world.window(number);
    const DisplayInfo *display = world.displayOf(*w);
    if (!display)
        return;
    const quint32 displayId = display->displayId;
    const QRectF screen = display->bounds;
    const int space = world.addFullScreenSpace({0, displayId, number, w->space, w->bounds});
    w->space = space;
    w->fullScreen = true;
    world.showSpace(displayId, space);
    m_parts.lifecycle.moveWindow(number, screen);
    m_parts.host.announceActiveSpaceChanged();
    m_parts.host.changed();
}

void SimSpaces::leave(quint32 number)
{
    SimWorld &world = m_parts.world;
    SimWindow *w = world.window(number);
    const auto own = world.fullScreenSpaces().constFind(w->space);
    if (own == world.fullScreenSpaces().cend()) {
        w->fullScreen = false;
        m_parts.host.changed();
        return;
    }
    const SimFullScreenSpace space = *own;
    world.removeFullScreenSpace(space.space);
    w->space = space.previousSpace;
    w->fullScreen = false;
    m_parts.lifecycle.moveWindow(number, space.previousBounds);
    m_parts.host.announceActiveSpaceChanged();
    m_parts.host.changed();
}

void SimSpaces::setCurrentSpace(int space)
{
    SimWorld &world = m_parts.world;
    const auto own = world.fullScreenSpaces().constFind(space);
    if (own != world.fullScreenSpaces().cend()) {
        if (world.spaceShownOn(own->displayId) == space)
            return;
        world.showSpace(own->displayId, space);
    } else {
        bool fullScreenShown = false;
        for (const DisplayInfo &display : world.displays())
            fullScreenShown = fullScreenShown || world.spaceShownOn(display.displayId) != world.currentSpace();
        if (world.currentSpace() == space && !fullScreenShown)
            return;
        world.setCurrentSpace(space);
        world.showCurrentSpaceEverywhere();
    }
    m_parts.host.announceActiveSpaceChanged();
    m_parts.host.changed();
}

void SimSpaces::windowGone(quint32 number)
{
    m_changing.remove(number);
    SimWorld &world = m_parts.world;
    for (const SimFullScreenSpace &space : world.fullScreenSpaces()) {
        if (space.window == number) {
            const bool shown = world.spaceShownOn(space.displayId) == space.space;
            world.removeFullScreenSpace(space.space);
            if (shown)
                m_parts.host.announceActiveSpaceChanged();
            return;
        }
    }
}

void SimSpaces::addFullScreenSpace(const SimFullScreenSpace &space, bool shown)
{
    const int added = m_parts.world.addFullScreenSpace(space);
    if (shown)
        m_parts.world.showSpace(space.displayId, added);
    m_parts.host.changed();
}

} // namespace Velmora::Sim
