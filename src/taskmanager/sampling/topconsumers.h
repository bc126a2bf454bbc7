#pragma once

#include "taskmanager/sampling/appusage.h"
#include "taskmanager/sampling/processresourceshare.h"

#include <QList>

namespace Velmora {

// The applications that use the most of each resource. Processes of one
// bundle count together; a process without a bundle stands alone.
struct TopConsumers
{
    QList<AppUsage> cpu;
    QList<AppUsage> memory;
    QList<AppUsage> disk;
    QList<AppUsage> network;
    // False for a measurement without processes, whose lists are empty.
    bool isAvailable = false;

    static TopConsumers rank(const QList<ProcessResourceShare> &shares, int limit);
    // One resource, as `rank` computes each of its lists.
    static QList<AppUsage> top(
        const QList<ProcessResourceShare> &shares, double ProcessResourceShare::*value, int limit);
};

} // namespace Velmora
