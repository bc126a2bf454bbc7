#pragma once

#include "store/appitem.h"

#include <QList>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <optional>

namespace Velmora::AppLists {

inline constexpr qsizetype maxRecentApps = 5;
inline constexpr auto finderBundleIdentifier = "com.apple.finder";

// One process of a regular application, as the running-apps refresh sees it.
struct RunningProcess
{
    qint32 processIdentifier = 0;
    QString bundleIdentifier;
    std::optional<QString> localizedName;
    QString bundlePath; // empty when unknown

    friend bool operator==(const RunningProcess &, const RunningProcess &) = default;
};

// Everything the bar's list is assembled from.
struct BarInputs
{
    QList<AppItem> pinnedApps;
    QList<AppItem> runningApps;
    bool finderHasWindows = true;
    bool isSettingsWindowOpen = false;
    bool isOnboardingOpen = false;
    std::optional<QString> otherVelmoraWindowTitle;
    bool isTaskManagerOpen = false;
    QStringList order;
};

// Sorts by name the way a person reads a list: localized and case-insensitive.
// Stable, so equal names keep their incoming order.
void sortByName(QList<AppItem> &items);

// One item per application (the first process wins), nameless processes left
// out, sorted by name.
QList<AppItem> runningAppItems(const QList<RunningProcess> &processes);

// The bar's buttons in display order: items the saved order names come first,
// in that order, then pins, newly seen running apps and the own windows.
QList<AppItem> taskbarApps(const BarInputs &inputs);

// The bar order after a drag: the dragged ids, then the rest of the bar, then
// remembered ids of items that are not on the bar now.
QStringList reorderedTaskbarOrder(const QStringList &leading, const QList<AppItem> &bar, const QStringList &oldOrder);

// The pins in the order the bar shows them; pins the bar does not show go last.
QList<AppItem> pinsInBarOrder(const QList<AppItem> &pins, const QList<AppItem> &bar);

// Keeps the first occurrence of every text. Hand-edited or older settings may
// repeat an id, and a repeated id would put one application on screen twice.
QStringList withoutRepeats(const QStringList &ids);

// The Start pins rearranged to follow `ids`; pins the ids do not name keep
// their relative order at the end.
QList<AppItem> reorderedStartPins(const QList<AppItem> &pins, const QStringList &ids);

// The recent list after `bundleIdentifier` was activated: newest first, no
// repeats, at most maxRecentApps entries.
QStringList recentsAfterActivation(const QStringList &recents, const QString &bundleIdentifier);

// The identifiers Recent Apps shows: the stored ones, topped up from the
// running apps while there is room.
QStringList recentCandidates(const QStringList &recents, const QList<AppItem> &runningApps);

// Installed apps whose name contains the trimmed text; everything for an empty text.
QList<AppItem> searchResults(const QList<AppItem> &installedApps, const QString &searchText);

// Discovery results: one item per exact name (the first found wins), sorted by name.
QList<AppItem> uniqueNamesSorted(const QList<AppItem> &discovered);

// Pin matching: by bundle identifier when the app has one, else by id.
bool matchesPin(const AppItem &pin, const AppItem &app);

// The pin made for an app: keyed by its bundle identifier and never running.
// The app must have a bundle identifier.
AppItem pinFor(const AppItem &app);

// The bundle identifiers of the items that have one, in order.
QStringList bundleIdentifiers(const QList<AppItem> &items);

} // namespace Velmora::AppLists
