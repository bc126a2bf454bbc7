#include "taskmanager/sampling/topconsumers.h"

#include "taskmanager/sampling/codepointorder.h"
#include "taskmanager/sampling/taskmanagertexts.h"

#include <QHash>

#include <algorithm>
#include <vector>

namespace Velmora {

namespace {

// One application's total, or a lone process. Only the group's size and its
// leading process are described, so processes are not kept one by one; the
// group refers to its shares by position rather than copying their names,
// since every process with memory makes a group of its own each second.
struct Group
{
    double usage = 0;
    qsizetype processes = 0;
    qsizetype first = 0; // the share that names the group
    qsizetype leader = 0; // the share with the largest amount, the first of equals
    double leaderAmount = 0;
};

const QString &groupName(const ProcessResourceShare &first)
{
    return first.app ? first.app->name : first.name;
}

AppUsage describe(const Group &group, const QList<ProcessResourceShare> &shares)
{
    const ProcessResourceShare &first = shares[group.first];
    const QString &leader = shares[group.leader].name;
    AppUsage row { groupName(first), std::nullopt, first.app ? std::optional(first.app->path) : first.executable,
        group.usage };
    if (group.processes > 1)
        row.detail = TaskManagerText::moreProcesses(leader, int(group.processes - 1));
    else if (leader != row.name)
        row.detail = leader;
    return row;
}

} // namespace

QList<AppUsage> TopConsumers::top(
    const QList<ProcessResourceShare> &shares, double ProcessResourceShare::*value, int limit)
{
    // Processes of one bundle add up; every process without one is a group
    // of its own and needs no look-up.
    QHash<QString, qsizetype> bundles;
    std::vector<Group> groups;
    groups.reserve(size_t(shares.size()));
    for (qsizetype index = 0; index < shares.size(); ++index) {
        const ProcessResourceShare &share = shares[index];
        const double amount = share.*value;
        if (!(amount > 0)) // also skips not-a-number
            continue;
        size_t at = groups.size();
        if (share.app) {
            const auto found = bundles.constFind(share.app->path);
            if (found != bundles.cend())
                at = size_t(*found);
            else
                bundles.insert(share.app->path, qsizetype(at));
        }
        if (at == groups.size())
            groups.push_back(Group { 0, 0, index, index, 0 });
        Group &group = groups[at];
        group.usage += amount;
        if (group.processes++ == 0 || amount > group.leaderAmount) {
            group.leader = index;
            group.leaderAmount = amount;
        }
    }
    // Only the first few are described: they are picked without sorting the
    // rest, so a machine with a thousand processes pays little more than one
    // with a hundred.
    const size_t count = std::min(groups.size(), size_t(std::max(limit, 0)));
    std::partial_sort(groups.begin(), groups.begin() + qsizetype(count), groups.end(),
        [&shares](const Group &a, const Group &b) {
            if (a.usage != b.usage)
                return a.usage > b.usage;
            return codePointLess(groupName(shares[a.first]), groupName(shares[b.first]));
        });
    QList<AppUsage> rows;
    rows.reserve(qsizetype(count));
    for (size_t i = 0; i < count; ++i)
        rows.append(describe(groups[i], shares));
    return rows;
}

TopConsumers TopConsumers::rank(const QList<ProcessResourceShare> &shares, int limit)
{
    return TopConsumers { top(shares, &ProcessResourceShare::cpu, limit),
        top(shares, &ProcessResourceShare::memory, limit), top(shares, &ProcessResourceShare::disk, limit),
        top(shares, &ProcessResourceShare::network, limit), true };
}

} // namespace Velmora
