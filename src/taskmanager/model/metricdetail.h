#pragma once

#include "taskmanager/sampling/systemsample.h"

#include <QColor>
#include <QString>

#include <optional>

namespace Velmora {

// One of the Task Manager's four metrics: where its number lives in a
// sample, how it reads, and which top list belongs to it. Shared by the card
// and the expanded graph; identified by its title.
struct MetricDetail
{
    using Field = std::optional<double> SystemSample::*;
    using Consumers = QList<AppUsage> TopConsumers::*;

    QString title;
    QString icon; // symbol name
    QColor color;
    Field key = nullptr;
    // Added to the key's value (writes to reads, uploads to downloads).
    Field secondary = nullptr;
    // The fixed top of the scale; exactly the percentages have one.
    std::optional<double> ceiling;
    // No list: the graph has no "Highest usage" panel.
    Consumers consumers = nullptr;

    static MetricDetail cpu();
    static MetricDetail memory();
    static MetricDetail disk();
    static MetricDetail network();

    // Absent without a key value; otherwise key plus secondary (absent: 0).
    std::optional<double> value(const SystemSample &sample) const;
    // "—", "12.3%" or "1.5 MB/s".
    QString formatted(std::optional<double> value) const;
    // One application's use of the resource, in the resource's unit.
    QString formattedUsage(double value) const;

    friend bool operator==(const MetricDetail &a, const MetricDetail &b) { return a.title == b.title; }
};

} // namespace Velmora
