#include "platform/sim/simaccessibilityobserver.h"

#include "platform/sim/simdesktop.h"
#include "platform/sim/simoperations.h"

namespace Velmora::Sim {

SimAccessibilityObserver::SimAccessibilityObserver(const SimDesktopAccess &world, qint32 pid, quint64 handle)
    : m_desktop(&world.desktop())
    , m_world(world)
    , m_pid(pid)
    , m_handle(handle)
{
}

SimAccessibilityObserver::~SimAccessibilityObserver()
{
    if (m_desktop)
        m_desktop->removeObserver(m_handle);
}

AXError SimAccessibilityObserver::addNotification(const AXElement &element, const QString &notification)
{
    if (!m_desktop)
        return AXError::InvalidUIElementObserver;
    const AXError result = m_desktop->addObserverNotification(m_handle, element, notification);
    m_world.log(SimOperations::AddNotification, element.processIdentifier(), notification, {}, int(result));
    return result;
}

AXError SimAccessibilityObserver::removeNotification(const AXElement &element, const QString &notification)
{
    if (!m_desktop)
        return AXError::InvalidUIElementObserver;
    const AXError result = m_desktop->removeObserverNotification(m_handle, element, notification);
    m_world.log(SimOperations::RemoveNotification, element.processIdentifier(), notification, {}, int(result));
    return result;
}

} // namespace Velmora::Sim
