#include "platform/sim/simapplicationpreferences.h"

#include "platform/sim/simdesktop.h"
#include "platform/sim/simoperations.h"

namespace Velmora::Sim {

SimApplicationPreferences::SimApplicationPreferences(SimDesktop &desktop)
    : m_desktop(desktop)
{
}

QVariant SimApplicationPreferences::value(const QString &key, const QString &domain) const
{
    const QVariant value = m_desktop.preference(domain, key);
    m_desktop.log(SimOperations::CopyPreference, 0, domain + QLatin1Char('/') + key, value);
    return value;
}

void SimApplicationPreferences::setValue(const QString &key, const QVariant &value, const QString &domain)
{
    m_desktop.log(SimOperations::SetPreference, 0, domain + QLatin1Char('/') + key, value);
    m_desktop.setPreference(domain, key, value);
}

bool SimApplicationPreferences::synchronize(const QString &domain)
{
    return !m_desktop.refuses(SimOperations::SynchronizePreferences, domain, 0);
}

} // namespace Velmora::Sim
