#include "platform/sim/simactivation.h"

#include "platform/axnames.h"
#include "platform/sim/simdesktopparts.h"
#include "platform/sim/simhost.h"

namespace Velmora::Sim {

SimActivation::SimActivation(SimDesktopParts &parts)
    : m_parts(parts)
{
}

bool SimActivation::activate(qint32 pid)
{
    SimWorld &world = m_parts.world;
    const SimProcess *target = world.process(pid);
    if (!target || m_parts.lifecycle.isTerminating(pid))
        return false;
    if (target->hidden)
        unhide(pid);
    QList<quint32> raised;
    for (quint32 number : target->windowOrder) {
        const SimWindow &w = *world.window(number);
        if (w.visible && !w.minimized && world.isOnCurrentSpace(w))
            raised.append(number);
    }
    world.bringToFront(raised);
    setFrontmost(pid);
    m_parts.host.changed();
    return true;
}

bool SimActivation::makeFrontmost(qint32 pid)
{
    if (!m_parts.world.process(pid) || m_parts.lifecycle.isTerminating(pid))
        return false;
    setFrontmost(pid);
    m_parts.host.changed();
    return true;
}

bool SimActivation::focusWindow(quint32 number)
{
    SimWorld &world = m_parts.world;
    const SimWindow *w = world.window(number);
    if (!w)
        return false;
    const qint32 owner = w->ownerPid;
    if (const SimProcess *p = world.process(owner); p && p->hidden)
        unhide(owner);
    world.bringToFront({number});
    setFrontmost(owner);
    m_parts.host.changed();
    return true;
}

bool SimActivation::raiseWindow(quint32 number)
{
    if (!m_parts.world.window(number))
        return false;
    m_parts.world.bringToFront({number});
    m_parts.host.changed();
    return true;
}

bool SimActivation::placeInFrontOfSiblings(quint32 number)
{
    if (!m_parts.world.window(number))
        return false;
    m_parts.world.placeInFrontOfSiblings(number);
    m_parts.host.changed();
    return true;
}

bool SimActivation::hide(qint32 pid)
{
    SimProcess *p = m_parts.world.process(pid);
    if (!p)
        return false;
    if (!p->hidden) {
        p->hidden = true;
        m_parts.host.announce(SimHost::ApplicationEvent::Hidden, m_parts.world.runningApplication(*p));
        if (m_parts.world.frontmost() == pid)
            chooseNewFrontmost();
        m_parts.host.changed();
    }
    return true;
}

bool SimActivation::unhide(qint32 pid)
{
    SimProcess *p = m_parts.world.process(pid);
    if (!p)
        return false;
    if (p->hidden) {
        p->hidden = false;
        m_parts.host.announce(SimHost::ApplicationEvent::Unhidden, m_parts.world.runningApplication(*p));
        m_parts.host.changed();
    }
    return true;
}

void SimActivation::setFrontmost(std::optional<qint32> pid)
{
    SimWorld &world = m_parts.world;
    const std::optional<qint32> previous = world.frontmost();
    if (previous == pid)
        return;
    world.setFrontmost(pid);
    if (previous) {
        if (const SimProcess *p = world.process(*previous))
            m_parts.host.announce(SimHost::ApplicationEvent::Deactivated, world.runningApplication(*p));
    }
    if (pid) {
        const SimProcess *p = world.process(*pid);
        m_parts.host.announce(SimHost::ApplicationEvent::Activated, world.runningApplication(*p));
        m_parts.registry.notify({SimNode::Kind::Application, *pid, p->life}, AXNames::ApplicationActivated);
    }
}

void SimActivation::chooseNewFrontmost()
{
    const SimWorld &world = m_parts.world;
    const std::optional<qint32> leaving = world.frontmost();
    std::optional<qint32> next;
    world.forEachWindow([&](const SimWindow &w) {
        if (next || w.layer != 0 || !world.isOnScreen(w))
            return;
        const SimProcess *owner = world.process(w.ownerPid);
        if (owner && owner->pid != leaving && owner->policy == ActivationPolicy::Regular)
            next = owner->pid;
    });
    setFrontmost(next);
}

void SimActivation::raiseNextSibling(qint32 pid)
{
    SimWorld &world = m_parts.world;
    const SimProcess *p = world.process(pid);
    if (!p || !p->siblingsRise || world.frontmost() != pid)
        return;
    if (const std::optional<quint32> next = world.focusedWindow(pid))
        world.bringToFront({*next});
}

} // namespace Velmora::Sim
