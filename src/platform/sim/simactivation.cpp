#include "platform/sim/simactivation.h"

#include "platform/axnames.h"
#include "platform/sim/simdesktopparts.h"
#include "platform/sim/simhost.h"

#include <QtEndian>

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
    const SimKnobs &knobs = m_parts.knobs;
    const quint64 activation = ++m_activations;
    if (raised.isEmpty() || knobs.activationRaiseDelayMs <= 0 || knobs.activationRaiseBurstSize <= 0) {
        world.bringToFront(raised);
    } else {
        world.bringToFront({raised.first()});
        raiseLater(pid, activation, raised.first(), raised.mid(1), knobs.activationRaiseDelayMs);
    }
    setFrontmost(pid);
    m_parts.host.changed();
    return true;
}

void SimActivation::raiseLater(qint32 pid, quint64 activation, quint32 anchor, QList<quint32> rest, qint64 delayMs)
{
    if (rest.isEmpty())
        return;
    m_parts.host.laterLocked(delayMs, [this, pid, activation, anchor, rest]() mutable {
        SimWorld &world = m_parts.world;
        if (activation != m_activations || world.frontmost() != pid)
            return;
        // Each window of the burst goes directly behind the application's
        // windows that rose before it: above whatever covered it, below
        // anything raised over the application since.
        int raised = 0;
        while (!rest.isEmpty() && raised < m_parts.knobs.activationRaiseBurstSize) {
            const quint32 number = rest.takeFirst();
            const SimWindow *w = world.window(number);
            if (!w || w->minimized || !w->visible || !world.isOnCurrentSpace(*w))
                continue;
            if (world.window(anchor))
                world.placeBehind(number, anchor);
            else
                world.bringToFront({number});
            anchor = number;
            ++raised;
        }
        if (raised > 0)
            m_parts.host.changed();
        raiseLater(pid, activation, anchor, rest, m_parts.knobs.activationRaiseBurstIntervalMs);
    });
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
    showSpaceOf(number);
    world.bringToFront({number});
    setFrontmost(owner);
    m_parts.host.changed();
    return true;
}

bool SimActivation::raiseWindow(quint32 number)
{
    if (!m_parts.world.window(number))
        return false;
    showSpaceOf(number);
    m_parts.world.bringToFront({number});
    m_parts.host.changed();
    return true;
}

void SimActivation::showSpaceOf(quint32 number)
{
    // Bringing forward a window of another Space takes the person there.
    const SimWindow *w = m_parts.world.window(number);
    if (w && w->visible && !w->minimized && !m_parts.world.isOnCurrentSpace(*w))
        m_parts.spaces.setCurrentSpace(w->space);
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
        m_parts.registry.notify({SimNode::Kind::Application, pid, p->life}, AXNames::ApplicationHidden);
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
        m_parts.registry.notify({SimNode::Kind::Application, pid, p->life}, AXNames::ApplicationShown);
        m_parts.host.changed();
    }
    return true;
}

bool SimActivation::frontProcess(qint32 pid, quint32 window, quint32 options)
{
    SimWorld &world = m_parts.world;
    if (!world.process(pid))
        return false;
    m_pendingFront.reset();
    const SimWindow *w = world.window(window);
    if (!(options & FocusWindowOption) || !w || w->ownerPid != pid)
        return makeFrontmost(pid);
    if (!m_parts.knobs.frontCallNeedsEventRecords)
        return focusWindow(window);
    m_pendingFront = PendingFront{pid, window, 0};
    return makeFrontmost(pid);
}

void SimActivation::eventRecord(qint32 pid, const QByteArray &record)
{
    if (!m_pendingFront || !m_parts.knobs.frontCallNeedsEventRecords)
        return;
    const std::optional<EventRecord> read = readEventRecord(record);
    PendingFront &pending = *m_pendingFront;
    const bool next = read && pid == pending.pid && read->window == pending.window
        && read->kind == pending.recordsSeen + 1;
    if (!next) {
        m_pendingFront.reset();
        return;
    }
    if (++pending.recordsSeen < 2)
        return;
    const quint32 window = pending.window;
    m_pendingFront.reset();
    focusWindow(window);
}

std::optional<SimActivation::EventRecord> SimActivation::readEventRecord(const QByteArray &record)
{
    constexpr qsizetype KindOffset = 8;
    constexpr qsizetype MarkerOffset = 32;
    constexpr qsizetype MarkerLength = 16;
    constexpr qsizetype FlagOffset = 58;
    constexpr qsizetype WindowOffset = 60;
    if (record.size() != EventRecordSize)
        return std::nullopt;
    const auto *bytes = reinterpret_cast<const uchar *>(record.constData());
    for (qsizetype i = 0; i < EventRecordSize; ++i) {
        uchar expected = 0;
        if (i == 4)
            expected = 0xF8;
        else if (i >= MarkerOffset && i < MarkerOffset + MarkerLength)
            expected = 0xFF;
        else if (i == FlagOffset)
            expected = 0x10;
        else if (i == KindOffset || (i >= WindowOffset && i < WindowOffset + 4))
            continue;
        if (bytes[i] != expected)
            return std::nullopt;
    }
    const int kind = bytes[KindOffset];
    if (kind != 1 && kind != 2)
        return std::nullopt;
    return EventRecord{kind, qFromLittleEndian<quint32>(bytes + WindowOffset)};
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
