#include "taskmanager/sampling/topconsumers.h"

#include "taskmanager/sampling/codepointorder.h"
#include "taskmanager/sampling/taskmanagertexts.h"

#include <QHash>

#include <algorithm>

namespace Velmora {

namespace {

struct Group
{
    double usage = 0;
    QList<std::pair<QString, double>> processes;
    QString name;
    std::optional<QString> icon;
};

AppUsage describe(const Group &group)
{
    AppUsage row { group.name, std::nullopt, group.icon, group.usage };
    // The first of equal amounts leads: max_element keeps the earliest.
    const auto leader = std::max_element(group.processes.cbegin(), group.processes.cend(),
        [](const auto &a, const auto &b) { return a.second < b.second; });
    if (group.processes.size() > 1)
        row.detail = TaskManagerText::moreProcesses(leader->first, int(group.processes.size() - 1));
    else if (leader->first != group.name)
        row.detail = leader->first;
    return row;
}

} // namespace

QList<AppUsage> TopConsumers::top(
    const QList<ProcessResourceShare> &shares, double ProcessResourceShare::*value, int limit)
{
    QHash<QString, qsizetype> index;
    QList<Group> groups;
    for (qsizetype i = 0; i < shares.size(); ++i) {
        const ProcessResourceShare &share = shares[i];
        const double amount = share.*value;
        if (!(amount > 0)) // also skips not-a-number
            continue;
        const QString key = share.app ? share.app->path : QLatin1Char('#') + QString::number(i);
        auto found = index.constFind(key);
        if (found == index.cend()) {
            Group group;
            group.name = share.app ? share.app->name : share.name;
            group.icon = share.app ? std::optional(share.app->path) : share.executable;
            found = index.insert(key, groups.size());
            groups.append(group);
        }
        Group &group = groups[*found];
        group.usage += amount;
        group.processes.append({ share.name, amount });
    }
    std::stable_sort(groups.begin(), groups.end(), [](const Group &a, const Group &b) {
        if (a.usage != b.usage)
            return a.usage > b.usage;
        return codePointLess(a.name, b.name);
    });
    QList<AppUsage> rows;
    const qsizetype count = std::min<qsizetype>(groups.size(), std::max(limit, 0));
    rows.reserve(count);
    for (qsizetype i = 0; i < count; ++i)
        rows.append(describe(groups[i]));
    return rows;
}

TopConsumers TopConsumers::rank(const QList<ProcessResourceShare> &shares, int limit)
{
    return TopConsumers { top(shares, &ProcessResourceShare::cpu, limit),
        top(shares, &ProcessResourceShare::memory, limit), top(shares, &ProcessResourceShare::disk, limit),
        top(shares, &ProcessResourceShare::network, limit), true };
}

} // namespace Velmora
