#include "services/dockposition.h"

#include "platform/applicationpreferences.h"

namespace Velmora {

DockPosition::DockPosition(ApplicationPreferences &preferences, StartDetached startDetached)
    : m_preferences(preferences)
    , m_startDetached(std::move(startDetached))
{
}

DockEdge DockPosition::current() const
{
    m_preferences.synchronize(domain);
    const QVariant value = m_preferences.value(key, domain);
    if (value.typeId() != QMetaType::QString)
        return DockEdge::bottom;
    return DockEdges::fromRawValue(value.toString()).value_or(DockEdge::bottom);
}

bool DockPosition::isAutohideEnabled() const
{
    m_preferences.synchronize(domain);
    const QVariant value = m_preferences.value(autohideKey, domain);
    return value.typeId() == QMetaType::Bool && value.toBool();
}

void DockPosition::move(DockEdge edge, bool autohide)
{
    m_preferences.setValue(key, DockEdges::rawValue(edge), domain);
    if (autohide)
        m_preferences.setValue(autohideKey, true, domain);
    m_preferences.synchronize(domain);
    restartDock();
}

void DockPosition::enableAutohide()
{
    m_preferences.setValue(autohideKey, true, domain);
    m_preferences.synchronize(domain);
    restartDock();
}

void DockPosition::restartDock()
{
    if (m_startDetached)
        m_startDetached(restartProgram, { restartArgument });
}

} // namespace Velmora
