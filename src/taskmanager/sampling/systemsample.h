#pragma once

#include "taskmanager/sampling/managedprocess.h"
#include "taskmanager/sampling/topconsumers.h"

#include <QList>

#include <optional>

namespace Velmora {

// One measurement of the machine. A rate or share that could not be
// measured is absent rather than 0, so the views can tell "none" from
// "unknown".
struct SystemSample
{
    // A late, more complete network top list for the sample taken at `timestamp`.
    struct NetworkRevision
    {
        qint64 timestamp = 0;
        QList<AppUsage> apps;
    };

    qint64 timestamp = 0; // wall clock, milliseconds since 1970
    std::optional<double> cpu; // percent of the whole machine
    std::optional<double> memory; // percent of physical memory in use
    quint64 memoryUsed = 0; // bytes
    std::optional<double> diskRead; // bytes per second
    std::optional<double> diskWrite;
    std::optional<double> download;
    std::optional<double> upload;
    QList<ManagedProcess> processes; // empty unless processes were measured
    TopConsumers top;
    // Whether per-process network use could be measured at all: when it is
    // false, an empty network top list means "unknown", not "nothing".
    bool processNetworkAvailable = false;
    std::optional<NetworkRevision> revisedNetwork;
};

} // namespace Velmora
