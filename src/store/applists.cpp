#include "store/applists.h"

#include <QCollator>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <limits>

namespace Velmora::AppLists {

namespace {

// Each id's first position in the list.
QHash<QString, qsizetype> firstIndexByID(const QList<AppItem> &items)
{
    QHash<QString, qsizetype> index;
    index.reserve(items.size());
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (!index.contains(items.at(i).id))
            index.insert(items.at(i).id, i);
    }
    return index;
}

} // namespace

void sortByName(QList<AppItem> &items)
{
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(items.begin(), items.end(),
        [&](const AppItem &a, const AppItem &b) { return collator.compare(a.name, b.name) < 0; });
}

QList<AppItem> runningAppItems(const QList<RunningProcess> &processes)
{
    QList<AppItem> items;
    QSet<QString> seen;
    for (const RunningProcess &process : processes) {
        if (!process.localizedName)
            continue;
        if (seen.contains(process.bundleIdentifier))
            continue;
        seen.insert(process.bundleIdentifier);
        const std::optional<QUrl> url = process.bundlePath.isEmpty()
            ? std::nullopt
            : std::optional<QUrl>(QUrl::fromLocalFile(process.bundlePath));
        items.append(AppItem {
            process.bundleIdentifier, *process.localizedName, process.bundleIdentifier, url, true, std::nullopt });
    }
    sortByName(items);
    return items;
}

QList<AppItem> taskbarApps(const BarInputs &inputs)
{
    QList<AppItem> list = inputs.pinnedApps;
    QSet<QString> present;
    for (const AppItem &pin : inputs.pinnedApps)
        present.insert(pin.id);

    for (const AppItem &app : inputs.runningApps) {
        if (present.contains(app.id))
            continue;
        present.insert(app.id);
        // Finder always runs; it earns a button only while it shows a window.
        if (app.bundleIdentifier == QLatin1String(finderBundleIdentifier) && !inputs.finderHasWindows)
            continue;
        list.append(app);
    }

    if (inputs.isSettingsWindowOpen && !present.contains(AppItem::settingsID))
        list.append(AppItem::velmoraSettings());
    if (inputs.isOnboardingOpen)
        list.append(AppItem::velmoraSetup());
    if (inputs.otherVelmoraWindowTitle)
        list.append(AppItem {
            AppItem::ownWindowsID, *inputs.otherVelmoraWindowTitle, std::nullopt, std::nullopt, true, std::nullopt });
    if (inputs.isTaskManagerOpen)
        list.append(AppItem::taskManager());

    const QHash<QString, qsizetype> indexByID = firstIndexByID(list);

    QList<AppItem> result;
    result.reserve(list.size());
    QSet<QString> placed;
    for (const QString &id : inputs.order) {
        const auto found = indexByID.constFind(id);
        if (found == indexByID.cend() || placed.contains(id))
            continue;
        placed.insert(id);
        result.append(list.at(*found));
    }
    for (const AppItem &item : std::as_const(list)) {
        if (!placed.contains(item.id)) {
            placed.insert(item.id);
            result.append(item);
        }
    }
    return result;
}

QStringList reorderedTaskbarOrder(const QStringList &leading, const QList<AppItem> &bar, const QStringList &oldOrder)
{
    QStringList order = withoutRepeats(leading);
    QSet<QString> taken(order.cbegin(), order.cend());
    auto take = [&](const QString &id) {
        if (!taken.contains(id)) {
            taken.insert(id);
            order.append(id);
        }
    };
    for (const AppItem &item : bar)
        take(item.id);
    for (const QString &id : oldOrder)
        take(id);
    return order;
}

QList<AppItem> pinsInBarOrder(const QList<AppItem> &pins, const QList<AppItem> &bar)
{
    const QHash<QString, qsizetype> position = firstIndexByID(bar);
    auto positionOf = [&](const AppItem &pin) { return position.value(pin.id, std::numeric_limits<qsizetype>::max()); };
    QList<AppItem> sorted = pins;
    std::stable_sort(sorted.begin(), sorted.end(),
        [&](const AppItem &a, const AppItem &b) { return positionOf(a) < positionOf(b); });
    return sorted;
}

QStringList withoutRepeats(const QStringList &ids)
{
    QStringList unique;
    unique.reserve(ids.size());
    QSet<QString> seen;
    for (const QString &id : ids) {
        if (!seen.contains(id)) {
            seen.insert(id);
            unique.append(id);
        }
    }
    return unique;
}

QList<AppItem> reorderedStartPins(const QList<AppItem> &pins, const QStringList &ids)
{
    const QHash<QString, qsizetype> indexByID = firstIndexByID(pins);

    QList<AppItem> reordered;
    reordered.reserve(pins.size());
    QSet<QString> seen;
    for (const QString &id : ids) {
        if (seen.contains(id))
            continue;
        seen.insert(id);
        const auto found = indexByID.constFind(id);
        if (found != indexByID.cend())
            reordered.append(pins.at(*found));
    }
    for (const AppItem &pin : pins) {
        if (!seen.contains(pin.id))
            reordered.append(pin);
    }
    return reordered;
}

QStringList recentsAfterActivation(const QStringList &recents, const QString &bundleIdentifier)
{
    QStringList updated { bundleIdentifier };
    updated.append(recents);
    updated = withoutRepeats(updated);
    if (updated.size() > maxRecentApps)
        updated.resize(maxRecentApps);
    return updated;
}

QStringList recentCandidates(const QStringList &recents, const QList<AppItem> &runningApps)
{
    QStringList candidates = withoutRepeats(recents);
    for (const AppItem &app : runningApps) {
        if (candidates.size() >= maxRecentApps)
            break;
        if (app.bundleIdentifier && !candidates.contains(*app.bundleIdentifier))
            candidates.append(*app.bundleIdentifier);
    }
    return candidates;
}

QList<AppItem> searchResults(const QList<AppItem> &installedApps, const QString &searchText)
{
    const QString needle = searchText.trimmed();
    if (needle.isEmpty())
        return installedApps;
    QList<AppItem> found;
    for (const AppItem &app : installedApps) {
        if (app.name.contains(needle, Qt::CaseInsensitive))
            found.append(app);
    }
    return found;
}

QList<AppItem> uniqueNamesSorted(const QList<AppItem> &discovered)
{
    QList<AppItem> kept;
    kept.reserve(discovered.size());
    QSet<QString> names;
    for (const AppItem &app : discovered) {
        if (!names.contains(app.name)) {
            names.insert(app.name);
            kept.append(app);
        }
    }
    sortByName(kept);
    return kept;
}

bool matchesPin(const AppItem &pin, const AppItem &app)
{
    if (app.bundleIdentifier)
        return pin.bundleIdentifier == app.bundleIdentifier;
    return pin.id == app.id;
}

AppItem pinFor(const AppItem &app)
{
    Q_ASSERT(app.bundleIdentifier);
    const QString bundleID = app.bundleIdentifier.value_or(app.id);
    return AppItem { bundleID, app.name, bundleID, app.url, false, app.systemImageName };
}

QStringList bundleIdentifiers(const QList<AppItem> &items)
{
    QStringList ids;
    ids.reserve(items.size());
    for (const AppItem &item : items) {
        if (item.bundleIdentifier)
            ids.append(*item.bundleIdentifier);
    }
    return ids;
}

} // namespace Velmora::AppLists
