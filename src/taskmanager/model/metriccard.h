#pragma once

#include "taskmanager/model/metricdetail.h"

#include <QList>

namespace Velmora {

// What one of the four metric cards shows: the latest value in large
// digits, one line of detail and the last minute as a sparkline.
struct MetricCard
{
    MetricDetail metric;
    QString value;
    QString detail;
    QList<std::optional<double>> series;
    double sparklineTop = 0;

    // The CPU, memory, disk and network cards, in that order, for the
    // latest sample and the history. `physicalMemory` is in bytes.
    static QList<MetricCard> build(
        const SystemSample &sample, const QList<SystemSample> &history, quint64 physicalMemory);
};

} // namespace Velmora
