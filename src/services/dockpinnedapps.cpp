#include "services/dockpinnedapps.h"

#include "platform/applicationpreferences.h"

#include <QSet>

namespace Velmora::DockPinnedApps {

namespace {

const QString finder = QStringLiteral("com.apple.finder");
const QString tileDataKey = QStringLiteral("tile-data");
const QString bundleIdentifierKey = QStringLiteral("bundle-identifier");

} // namespace

QStringList bundleIdentifiers(ApplicationPreferences &preferences, const std::optional<QString> &excluding)
{
    const QString domain = ApplicationPreferences::DockDomain;
    preferences.synchronize(domain);
    return bundleIdentifiers(preferences.value(ApplicationPreferences::DockPersistentAppsKey, domain), excluding);
}

QStringList bundleIdentifiers(const QVariant &persistentApps, const std::optional<QString> &excluding)
{
    if (persistentApps.typeId() != QMetaType::QVariantList)
        return {};
    const QVariantList entries = persistentApps.toList();
    for (const QVariant &entry : entries) {
        if (entry.typeId() != QMetaType::QVariantMap)
            return {};
    }

    QSet<QString> seen { finder };
    QStringList identifiers;
    for (const QVariant &entry : entries) {
        const QVariant tileData = entry.toMap().value(tileDataKey);
        if (tileData.typeId() != QMetaType::QVariantMap)
            continue;
        const QVariant identifier = tileData.toMap().value(bundleIdentifierKey);
        if (identifier.typeId() != QMetaType::QString)
            continue;
        const QString text = identifier.toString();
        if (skipped.contains(text) || (excluding && text == *excluding) || seen.contains(text))
            continue;
        seen.insert(text);
        identifiers.append(text);
    }
    if (identifiers.isEmpty())
        return {};
    identifiers.prepend(finder);
    return identifiers;
}

} // namespace Velmora::DockPinnedApps
