#pragma once

#include <QLatin1String>
#include <QString>
#include <QVariant>

namespace Velmora {

// Preferences of other applications, by domain ("com.apple.dock"). Values
// are what the other application stored: any type, possibly none; readers
// check the type. Writes reach the other application after synchronize().
class ApplicationPreferences
{
public:
    static constexpr QLatin1String DockDomain{"com.apple.dock"};
    static constexpr QLatin1String DockPersistentAppsKey{"persistent-apps"};
    static constexpr QLatin1String DockOrientationKey{"orientation"};
    static constexpr QLatin1String DockAutohideKey{"autohide"};

    virtual ~ApplicationPreferences();

    // An invalid QVariant when the key is absent.
    virtual QVariant value(const QString &key, const QString &domain) const = 0;
    // An invalid QVariant removes the key.
    virtual void setValue(const QString &key, const QVariant &value, const QString &domain) = 0;
    // Writes pending changes and reads what others wrote. False on failure.
    virtual bool synchronize(const QString &domain) = 0;
};

} // namespace Velmora
