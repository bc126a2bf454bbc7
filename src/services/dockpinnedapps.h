#pragma once

#include <QStringList>
#include <QVariant>

#include <optional>

namespace Velmora {

class ApplicationPreferences;

// The applications pinned to the Dock, read from the Dock's own preferences.
// The taskbar offers them as its first pins, so a new user starts with the
// apps they already chose.
namespace DockPinnedApps {

// Launcher tiles are Dock furniture, not applications the user pinned.
inline const QStringList skipped { QStringLiteral("com.apple.apps.launcher"),
    QStringLiteral("com.apple.launchpad.launcher") };

// The pinned bundle identifiers, Finder first, or an empty list when the Dock
// holds no application besides Finder. `excluding` (this application's own
// identifier) is never listed.
QStringList bundleIdentifiers(ApplicationPreferences &preferences, const std::optional<QString> &excluding);

// The same from the raw "persistent-apps" value: a list of entries whose
// "tile-data" holds a "bundle-identifier" text. Anything else reads as empty.
QStringList bundleIdentifiers(const QVariant &persistentApps, const std::optional<QString> &excluding);

} // namespace DockPinnedApps

} // namespace Velmora
