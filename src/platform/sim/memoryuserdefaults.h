#pragma once

#include "platform/userdefaults.h"

#include <QHash>

namespace Velmora::Sim {

// Settings held in memory, with the same type rules as the settings file, so
// a test sees exactly what a stored value would read back as.
class MemoryUserDefaults final : public UserDefaults
{
public:
    MemoryUserDefaults() = default;

    QVariant value(const QString &key) const override;
    bool setValue(const QString &key, const QVariant &value) override;
    bool removeValue(const QString &key) override;
    QStringList keys() const override;

    // Makes every later write fail (and change nothing), as a full disk would.
    void setFailsWrites(bool fails) { m_failsWrites = fails; }
    // Every key written or removed, in order, for tests that check what was saved.
    const QStringList &writtenKeys() const { return m_writtenKeys; }

private:
    QHash<QString, QVariant> m_values;
    QStringList m_writtenKeys;
    bool m_failsWrites = false;
};

} // namespace Velmora::Sim
