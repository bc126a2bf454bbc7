#pragma once

#include "taskmanager/model/metricdetail.h"

#include <QList>
#include <QPolygonF>
#include <QSizeF>

#include <optional>

namespace Velmora::MetricGraph {

// Graphs cover the last minute: 60 one-second steps.
inline constexpr int sparklineSlots = 60;
inline constexpr qint64 windowMs = 60'000;
// A rate scale never tops out below this many bytes per second, and keeps
// this much room above its highest point.
inline constexpr double minimumRateTop = 1024;
inline constexpr double headroom = 1.15;

// The metric's value in each sample, oldest first.
QList<std::optional<double>> series(const MetricDetail &metric, const QList<SystemSample> &history);
// The value drawn at the top edge: the metric's ceiling, else the highest
// value with headroom, but never below the minimum.
double scaleTop(std::optional<double> ceiling, const QList<std::optional<double>> &values);

// A sparkline's pieces in a `size` canvas: an absent value breaks the line,
// step i sits at x = width / slots * i, values above the top at the top edge.
// Nothing to draw without a positive top or without slots.
QList<QPolygonF> sparklineSegments(
    const QList<std::optional<double>> &values, int slotCount, double top, const QSizeF &size);

// The sample whose time is nearest to `timeMs`; the older one of two equally
// near. Nothing for an empty history.
std::optional<qsizetype> nearestSample(const QList<SystemSample> &history, double timeMs);
// The right edge of the time axis: the newest sample's time, else now.
qint64 windowEnd(const QList<SystemSample> &history, qint64 nowMs);

// Axis marks: about five clock times on whole quarter minutes inside
// [end - 60 s, end], and round values from 0 up to `top`.
QList<qint64> timeTicks(qint64 endMs);
QList<double> valueTicks(double top);

// A sample time as a clock time with seconds, in the user's locale.
QString clockTime(qint64 ms);

} // namespace Velmora::MetricGraph
