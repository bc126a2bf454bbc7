#pragma once

#include "taskmanager/model/metricdetail.h"

#include <QList>

#include <optional>

namespace Velmora {

// What the expanded graph of one metric shows at one moment: the sample
// under the pointer (or the newest), its read-out, the applications that
// used the most then, and the scales. Rebuilt on every new sample and every
// pointer move; the graph holds no other state than the pointer's time.
struct MetricDetailSnapshot
{
    std::optional<qsizetype> selected; // index into the history
    QString readout; // "—" without a value
    std::optional<QString> readoutTime; // clock time of the selected sample
    QList<AppUsage> topApps;
    // Said instead of the rows when there are none.
    QString emptyPanelText;
    double scaleTop = 0;
    qint64 windowEnd = 0; // the time axis spans the minute before it

    // `hoverTimeMs` is the time under the pointer, absent when it is not over
    // the plot; `nowMs` places the axis while there is no history yet.
    static MetricDetailSnapshot make(const MetricDetail &metric, const QList<SystemSample> &history,
        std::optional<double> hoverTimeMs, qint64 nowMs);

    static QString hint(const MetricDetail &metric);
    // The panel is wider when there is a list of applications beside the graph.
    static int width(const MetricDetail &metric);
    static QString tooltip(const AppUsage &usage);
};

} // namespace Velmora
