#pragma once

#include "taskmanager/model/metricdetail.h"
#include "taskmanager/model/metricdetailsnapshot.h"

#include <QWidget>

namespace Velmora {

// The expanded graph of one metric over the last minute: an area under a
// line, time and value axes, and a marker on the sample under the pointer.
class MetricGraphWidget : public QWidget
{
    Q_OBJECT
public:
    static constexpr int graphHeight = 280;

    explicit MetricGraphWidget(QWidget *parent = nullptr);

    void show(const MetricDetail &metric, const QList<SystemSample> &history, const MetricDetailSnapshot &snapshot);
    // The plot area inside the axes, in the widget's coordinates.
    QRectF plotRect() const;
    // The time at x, for a point inside the plot area.
    std::optional<double> timeAt(const QPointF &position) const;

signals:
    // The time under the pointer, or nothing when it left the plot.
    void hoverTimeChanged(std::optional<double> timeMs);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    double xFor(double timeMs, const QRectF &plot) const;
    double yFor(double value, const QRectF &plot) const;
    qreal valueAxisWidth() const;

    MetricDetail m_metric;
    QList<SystemSample> m_history;
    MetricDetailSnapshot m_snapshot;
    std::optional<double> m_hoverTime;
};

} // namespace Velmora
