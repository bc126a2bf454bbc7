#include "platform/sim/memoryuserdefaults.h"

#include <algorithm>

namespace Velmora::Sim {

QVariant MemoryUserDefaults::value(const QString &key) const
{
    return m_values.value(key);
}

bool MemoryUserDefaults::setValue(const QString &key, const QVariant &value)
{
    const std::optional<QVariant> stored = storedForm(value);
    if (!stored || m_failsWrites)
        return false;
    m_values.insert(key, *stored);
    m_writtenKeys.append(key);
    return true;
}

bool MemoryUserDefaults::removeValue(const QString &key)
{
    if (m_failsWrites)
        return false;
    m_values.remove(key);
    m_writtenKeys.append(key);
    return true;
}

QStringList MemoryUserDefaults::keys() const
{
    QStringList keys = m_values.keys();
    std::sort(keys.begin(), keys.end());
    return keys;
}

} // namespace Velmora::Sim
