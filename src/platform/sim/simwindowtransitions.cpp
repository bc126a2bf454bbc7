#include "platform/sim/simwindowtransitions.h"

#include "platform/axnames.h"
#include "platform/sim/simdesktopparts.h"
#include "platform/sim/simhost.h"

namespace Velmora::Sim {

SimWindowTransitions::SimWindowTransitions(SimDesktopParts &parts)
    : m_parts(parts)
{
}

bool SimWindowTransitions::beginMinimize(quint32 number)
{
    const SimWindow *w = m_parts.world.window(number);
    if (!w || w->minimized || !w->visible || m_inTransition.contains(number))
        return false;
    m_inTransition.insert(number);
    const qint64 duration = m_parts.world.process(w->ownerPid)->minimizeDurationMs;
    m_parts.host.laterLocked(duration, [this, number] {
        m_inTransition.remove(number);
        SimWindow *w = m_parts.world.window(number);
        if (!w || w->minimized)
            return;
        w->minimized = true;
        m_parts.registry.notifyWindow(number, AXNames::WindowMiniaturized);
        m_parts.activation.raiseNextSibling(w->ownerPid);
        m_parts.host.changed();
    });
    return true;
}

bool SimWindowTransitions::beginRestore(quint32 number)
{
    const SimWindow *w = m_parts.world.window(number);
    if (!w || !w->minimized || m_inTransition.contains(number))
        return false;
    m_inTransition.insert(number);
    const qint64 duration = m_parts.world.process(w->ownerPid)->minimizeDurationMs;
    m_parts.host.laterLocked(duration, [this, number] {
        m_inTransition.remove(number);
        SimWindow *w = m_parts.world.window(number);
        if (!w || !w->minimized)
            return;
        w->minimized = false;
        const SimProcess *owner = m_parts.world.process(w->ownerPid);
        // Coming back from the Dock activates the application, which brings
        // all of its windows along; the restored one ends up in front.
        if (owner->siblingsRise && m_parts.world.frontmost() != owner->pid)
            m_parts.activation.activate(owner->pid);
        m_parts.world.bringToFront({number});
        m_parts.registry.notifyWindow(number, AXNames::WindowDeminiaturized);
        m_parts.host.changed();
    });
    return true;
}

bool SimWindowTransitions::beginClose(quint32 number)
{
    const SimWindow *w = m_parts.world.window(number);
    if (!w || w->sheetOpen || m_inTransition.contains(number))
        return false;
    m_inTransition.insert(number);
    const qint64 duration = m_parts.world.process(w->ownerPid)->closeDurationMs;
    m_parts.host.laterLocked(duration, [this, number] {
        m_inTransition.remove(number);
        SimWindow *w = m_parts.world.window(number);
        if (!w)
            return;
        if (w->closeShowsSheet) {
            // Unsaved changes: the application asks first and the window stays.
            w->sheetOpen = true;
            m_parts.host.changed();
            return;
        }
        const qint32 owner = w->ownerPid;
        m_parts.lifecycle.destroyWindow(number);
        m_parts.activation.raiseNextSibling(owner);
    });
    return true;
}

bool SimWindowTransitions::answerSheet(quint32 number, bool close)
{
    SimWindow *w = m_parts.world.window(number);
    if (!w || !w->sheetOpen)
        return false;
    w->sheetOpen = false;
    if (close) {
        const qint32 owner = w->ownerPid;
        m_parts.lifecycle.destroyWindow(number);
        m_parts.activation.raiseNextSibling(owner);
    }
    m_parts.host.changed();
    return true;
}

} // namespace Velmora::Sim
