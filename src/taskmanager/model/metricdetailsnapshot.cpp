#include "taskmanager/model/metricdetailsnapshot.h"

#include "taskmanager/model/metricgraph.h"
#include "taskmanager/model/taskmanagerviewtexts.h"

namespace Velmora {

using namespace TaskManagerViewText;

MetricDetailSnapshot MetricDetailSnapshot::make(
    const MetricDetail &metric, const QList<SystemSample> &history, std::optional<double> hoverTimeMs, qint64 nowMs)
{
    MetricDetailSnapshot snapshot;
    snapshot.windowEnd = MetricGraph::windowEnd(history, nowMs);
    snapshot.scaleTop = MetricGraph::scaleTop(metric.ceiling, MetricGraph::series(metric, history));
    if (hoverTimeMs)
        snapshot.selected = MetricGraph::nearestSample(history, *hoverTimeMs);
    else if (!history.isEmpty())
        snapshot.selected = history.size() - 1;

    const SystemSample *sample = snapshot.selected ? &history[*snapshot.selected] : nullptr;
    snapshot.readout = metric.formatted(sample ? metric.value(*sample) : std::nullopt);
    if (sample)
        snapshot.readoutTime = MetricGraph::clockTime(sample->timestamp);
    if (sample && metric.consumers)
        snapshot.topApps = sample->top.*metric.consumers;
    if (snapshot.topApps.isEmpty()) {
        if (!sample || !sample->top.isAvailable)
            snapshot.emptyPanelText = appDetailsWhileOpen;
        // An empty list from a tool that could not run says nothing about
        // what used the network.
        else if (metric.consumers == &TopConsumers::network && !sample->processNetworkAvailable)
            snapshot.emptyPanelText = networkPerAppUnavailable;
        else
            snapshot.emptyPanelText = nothingWasUsing(metric.title);
    }
    return snapshot;
}

QString MetricDetailSnapshot::hint(const MetricDetail &metric)
{
    return metric.consumers ? hintWithApps : hintWithoutApps;
}

int MetricDetailSnapshot::width(const MetricDetail &metric)
{
    return metric.consumers ? 830 : 740;
}

QString MetricDetailSnapshot::tooltip(const AppUsage &usage)
{
    return usage.detail ? usage.name + usageDetailSeparator + *usage.detail : usage.name;
}

} // namespace Velmora
