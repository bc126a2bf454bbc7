#include "platform/sim/simeventtaps.h"

#include "platform/sim/simdesktop.h"
#include "platform/sim/simeventtap.h"
#include "platform/sim/simoperations.h"

namespace Velmora::Sim {

SimEventTaps::SimEventTaps(SimDesktopAccess world)
    : m_desktop(world.desktop())
    , m_world(world)
{
}

std::unique_ptr<EventTap> SimEventTaps::createMouseTap(quint64 eventMask, QObject *context, MouseCallback callback)
{
    if (m_world.refuses(SimOperations::CreateMouseTap, {}, 0, eventMask))
        return nullptr;
    SimDesktop::MouseTap tap;
    tap.receiver = ReceiverGuard(context);
    tap.callback = std::move(callback);
    tap.eventMask = eventMask;
    return std::make_unique<SimEventTap>(m_desktop, m_desktop.addMouseTap(std::move(tap)));
}

std::unique_ptr<EventTap> SimEventTaps::createKeyTap(KeyCallback callback)
{
    if (m_world.refuses(SimOperations::CreateKeyTap, {}, 0) || !m_desktop.postEventAccess())
        return nullptr;
    // The callback runs on this thread: an object living here receives the events.
    const std::shared_ptr<SimThreadAnchor> anchor = SimThreadAnchor::here();
    SimDesktop::KeyTap tap;
    tap.thread = anchor;
    tap.callback = [callback = std::move(callback)](const KeyEvent &event) {
        return callback(event) == KeyDecision::Swallow ? 1 : 0;
    };
    return std::make_unique<SimEventTap>(m_desktop, m_desktop.addKeyTap(std::move(tap)), anchor);
}

bool SimEventTaps::preflightPostEventAccess() const
{
    return m_desktop.postEventAccess();
}

void SimEventTaps::postKeyEvent(qint32 pid, const KeyEvent &event)
{
    const QVariantMap detail{{QStringLiteral("keyCode"), event.keyCode},
                             {QStringLiteral("flags"), event.flags},
                             {QStringLiteral("type"), quint32(event.type)}};
    m_world.log(SimOperations::PostKeyEvent, pid, event.characters, detail);
    m_desktop.deliverKey(pid, event);
}

double SimEventTaps::secondsSinceLastEvent(std::optional<InputEventType> type) const
{
    return double(m_desktop.clock().monotonicMs() - m_desktop.lastInputMs(type)) / 1000.0;
}

quint32 SimEventTaps::pressedMouseButtons() const
{
    return m_desktop.pressedMouseButtons();
}

std::optional<InputEvent> SimEventTaps::currentEvent() const
{
    return m_desktop.currentEvent();
}

} // namespace Velmora::Sim
