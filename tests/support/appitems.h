#pragma once

#include "store/appitem.h"

namespace Velmora::Test {

// Plain items with the given ids (also their names and bundle ids), not running.
// Header-only so that only the tests that use app items link the store.
inline QList<AppItem> appsWithIDs(const QStringList &ids)
{
    QList<AppItem> apps;
    for (const QString &id : ids)
        apps.append(AppItem { id, id, id, std::nullopt, false, std::nullopt });
    return apps;
}

// An item whose id is its bundle id, with no bundle location.
inline AppItem app(const QString &bundleID, const QString &name, bool running = false)
{
    return AppItem { bundleID, name, bundleID, std::nullopt, running, std::nullopt };
}

} // namespace Velmora::Test
