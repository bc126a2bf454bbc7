#include "taskmanager/model/metricgraph.h"

#include <QDateTime>
#include <QLocale>

#include <cmath>

namespace Velmora::MetricGraph {

QList<std::optional<double>> series(const MetricDetail &metric, const QList<SystemSample> &history)
{
    QList<std::optional<double>> values;
    values.reserve(history.size());
    for (const SystemSample &sample : history)
        values.append(metric.value(sample));
    return values;
}

double scaleTop(std::optional<double> ceiling, const QList<std::optional<double>> &values)
{
    if (ceiling)
        return *ceiling;
    std::optional<double> highest;
    for (const auto &value : values) {
        if (value && std::isfinite(*value) && (!highest || *value > *highest))
            highest = *value;
    }
    return highest ? std::max(*highest * headroom, minimumRateTop) : minimumRateTop;
}

QList<QPolygonF> sparklineSegments(
    const QList<std::optional<double>> &values, int slotCount, double top, const QSizeF &size)
{
    QList<QPolygonF> segments;
    if (!(top > 0) || slotCount < 1)
        return segments;
    const double step = size.width() / slotCount;
    segments.append(QPolygonF());
    for (qsizetype i = 0; i < values.size(); ++i) {
        const auto &value = values[i];
        if (!value || !std::isfinite(*value)) {
            // Consecutive gaps make no empty pieces.
            if (!segments.last().isEmpty())
                segments.append(QPolygonF());
            continue;
        }
        const double clamped = std::min(*value, top);
        segments.last().append(QPointF(step * double(i), size.height() * (1 - clamped / top)));
    }
    if (segments.last().isEmpty())
        segments.removeLast();
    return segments;
}

std::optional<qsizetype> nearestSample(const QList<SystemSample> &history, double timeMs)
{
    std::optional<qsizetype> nearest;
    double distance = 0;
    for (qsizetype i = 0; i < history.size(); ++i) {
        const double d = std::abs(double(history[i].timestamp) - timeMs);
        // Only a strictly nearer sample wins: on a tie the older one stays.
        if (!nearest || d < distance) {
            nearest = i;
            distance = d;
        }
    }
    return nearest;
}

qint64 windowEnd(const QList<SystemSample> &history, qint64 nowMs)
{
    return history.isEmpty() ? nowMs : history.last().timestamp;
}

QList<qint64> timeTicks(qint64 endMs)
{
    constexpr qint64 step = 15'000;
    const qint64 start = endMs - windowMs;
    QList<qint64> ticks;
    // The first quarter minute at or after the start of the window.
    qint64 tick = start - (start % step + step) % step;
    if (tick < start)
        tick += step;
    for (; tick <= endMs; tick += step)
        ticks.append(tick);
    return ticks;
}

QList<double> valueTicks(double top)
{
    QList<double> ticks;
    if (!(top > 0) || !std::isfinite(top))
        return ticks;
    // The round step nearest a quarter of the scale: 1, 2, 2.5 or 5 times a
    // power of ten.
    const double raw = top / 4;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    const double normal = raw / magnitude;
    const double factor = normal < 1.5 ? 1 : normal < 2.25 ? 2 : normal < 3.5 ? 2.5 : normal < 7.5 ? 5 : 10;
    const double step = factor * magnitude;
    for (int i = 0; i * step <= top * (1 + 1e-9); ++i)
        ticks.append(i * step);
    return ticks;
}

QString clockTime(qint64 ms)
{
    const QLocale locale;
    QString format = locale.timeFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("ss"))) {
        const qsizetype minutes = format.indexOf(QLatin1String("mm"));
        if (minutes >= 0)
            format.insert(minutes + 2, QLatin1String(":ss"));
    }
    return locale.toString(QDateTime::fromMSecsSinceEpoch(ms).time(), format);
}

} // namespace Velmora::MetricGraph
