#include "taskmanager/sampling/topconsumers.h"

#include "taskmanager/sampling/codepointorder.h"
#include "taskmanager/sampling/taskmanagertexts.h"

#include <QHash>

#include <algorithm>

namespace Velmora {

namespace {

// One application's total, or a lone process. Only the group's size and its
// leading process are described, so processes are not kept one by one.
struct Group
{
    double usage = 0;
    qsizetype processes = 0;
    QString leader; // the process with the largest amount, the first of equals
    double leaderAmount = 0;
    QString name;
    std::optional<QString> icon;
};

AppUsage describe(const Group &group)
{
    AppUsage row { group.name, std::nullopt, group.icon, group.usage };
    if (group.processes > 1)
        row.detail = TaskManagerText::moreProcesses(group.leader, int(group.processes - 1));
    else if (group.leader != group.name)
        row.detail = group.leader;
    return row;
}

} // namespace

QList<AppUsage> TopConsumers::top(
    const QList<ProcessResourceShare> &shares, double ProcessResourceShare::*value, int limit)
{
    // Processes of one bundle add up; every process without one is a group
    // of its own and needs no look-up.
    QHash<QString, qsizetype> bundles;
    QList<Group> groups;
    for (const ProcessResourceShare &share : shares) {
        const double amount = share.*value;
        if (!(amount > 0)) // also skips not-a-number
            continue;
        qsizetype at = groups.size();
        if (share.app) {
            const auto found = bundles.constFind(share.app->path);
            if (found != bundles.cend())
                at = *found;
            else
                bundles.insert(share.app->path, at);
        }
        if (at == groups.size()) {
            Group group;
            group.name = share.app ? share.app->name : share.name;
            group.icon = share.app ? std::optional(share.app->path) : share.executable;
            groups.append(std::move(group));
        }
        Group &group = groups[at];
        group.usage += amount;
        if (group.processes++ == 0 || amount > group.leaderAmount) {
            group.leader = share.name;
            group.leaderAmount = amount;
        }
    }
    // Only the first few are described: they are picked without sorting the
    // rest, so a machine with a thousand processes pays little more than one
    // with a hundred.
    const qsizetype count = std::min<qsizetype>(groups.size(), std::max(limit, 0));
    std::partial_sort(groups.begin(), groups.begin() + count, groups.end(), [](const Group &a, const Group &b) {
        if (a.usage != b.usage)
            return a.usage > b.usage;
        return codePointLess(a.name, b.name);
    });
    QList<AppUsage> rows;
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
