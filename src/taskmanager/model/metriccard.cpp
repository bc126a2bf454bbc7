#include "taskmanager/model/metriccard.h"

#include "taskmanager/model/metricgraph.h"
#include "taskmanager/model/taskmanagerviewtexts.h"
#include "taskmanager/sampling/systemmonitor.h"

#include <limits>

namespace Velmora {

namespace {

QString memoryText(quint64 bytes)
{
    return SystemMonitor::memoryFormatter().string(std::min<quint64>(bytes, std::numeric_limits<qint64>::max()));
}

MetricCard card(
    const MetricDetail &metric, const SystemSample &sample, const QList<SystemSample> &history, const QString &detail)
{
    MetricCard card { metric, metric.formatted(metric.value(sample)), detail, MetricGraph::series(metric, history), 0 };
    card.sparklineTop = MetricGraph::scaleTop(metric.ceiling, card.series);
    return card;
}

} // namespace

QList<MetricCard> MetricCard::build(
    const SystemSample &sample, const QList<SystemSample> &history, quint64 physicalMemory)
{
    using namespace TaskManagerViewText;
    return {
        card(MetricDetail::cpu(), sample, history, cpuDetail),
        card(MetricDetail::memory(), sample, history,
            memoryText(sample.memoryUsed) + memorySeparator + memoryText(physicalMemory)),
        card(MetricDetail::disk(), sample, history,
            diskReadPrefix + SystemMonitor::rateText(sample.diskRead) + diskWritePrefix
                + SystemMonitor::rateText(sample.diskWrite)),
        card(MetricDetail::network(), sample, history,
            downloadPrefix + SystemMonitor::rateText(sample.download) + uploadPrefix
                + SystemMonitor::rateText(sample.upload)),
    };
}

} // namespace Velmora
