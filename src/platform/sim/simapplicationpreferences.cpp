#include "platform/sim/simapplicationpreferences.h"

#include "platform/sim/simdesktop.h"
#include "platform/sim/simoperations.h"

namespace Velmora::Sim {

SimApplicationPreferences::SimApplicationPreferences(SimDesktopAccess world)
    : m_desktop(world.desktop())
    , m_world(world)
{
}

QVariant SimApplicationPreferences::value(const QString &key, const QString &domain) const
{
    const QVariant value = m_desktop.preference(domain, key);
    m_world.log(SimOperations::CopyPreference, 0, domain + QLatin1Char('/') + key, value);
    return value;
}

void SimApplicationPreferences::setValue(const QString &key, const QVariant &value, const QString &domain)
{
    m_world.log(SimOperations::SetPreference, 0, domain + QLatin1Char('/') + key, value);
    m_desktop.setPreference(domain, key, value);
}

bool SimApplicationPreferences::synchronize(const QString &domain)
{
    return !m_world.refuses(SimOperations::SynchronizePreferences, domain, 0);
}

} // namespace Velmora::Sim
