#include "taskmanager/model/metricdetail.h"

#include "taskmanager/model/taskmanagerpalette.h"
#include "taskmanager/model/taskmanagerviewtexts.h"
#include "taskmanager/sampling/systemmonitor.h"
#include "taskmanager/sampling/taskmanagertexts.h"

#include <cmath>
#include <limits>

namespace Velmora {

namespace {

QString percentText(double value)
{
    // A value that is not a number reads as missing rather than as "nan%".
    if (!std::isfinite(value))
        return TaskManagerText::absentValue;
    return QString::asprintf("%.1f%%", value);
}

} // namespace

MetricDetail MetricDetail::cpu()
{
    return { TaskManagerViewText::cpu, QStringLiteral("cpu"), TaskManagerPalette::accent(), &SystemSample::cpu, nullptr,
        100.0, &TopConsumers::cpu };
}

MetricDetail MetricDetail::memory()
{
    return { TaskManagerViewText::memory, QStringLiteral("memorychip"), TaskManagerPalette::purple(),
        &SystemSample::memory, nullptr, 100.0, &TopConsumers::memory };
}

MetricDetail MetricDetail::disk()
{
    return { TaskManagerViewText::disk, QStringLiteral("internaldrive"), TaskManagerPalette::orange(),
        &SystemSample::diskRead, &SystemSample::diskWrite, std::nullopt, &TopConsumers::disk };
}

MetricDetail MetricDetail::network()
{
    return { TaskManagerViewText::network, QStringLiteral("network"), TaskManagerPalette::mint(),
        &SystemSample::download, &SystemSample::upload, std::nullopt, &TopConsumers::network };
}

std::optional<double> MetricDetail::value(const SystemSample &sample) const
{
    if (!key || !(sample.*key))
        return std::nullopt;
    double total = *(sample.*key);
    if (secondary)
        total += (sample.*secondary).value_or(0);
    return total;
}

QString MetricDetail::formatted(std::optional<double> value) const
{
    if (!value)
        return TaskManagerText::absentValue;
    if (ceiling)
        return percentText(*value);
    return SystemMonitor::rateText(value);
}

QString MetricDetail::formattedUsage(double value) const
{
    if (consumers == &TopConsumers::cpu)
        return percentText(value);
    // Negative and not-a-number amounts read as nothing; huge ones stop at
    // the largest the formatter takes.
    const double bytes = value > 0 ? value : 0;
    if (consumers == &TopConsumers::memory) {
        constexpr double largest = double(std::numeric_limits<qint64>::max());
        return SystemMonitor::memoryFormatter().string(
            bytes >= largest ? quint64(std::numeric_limits<qint64>::max()) : quint64(bytes));
    }
    return SystemMonitor::rateText(bytes);
}

} // namespace Velmora
