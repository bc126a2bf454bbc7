#pragma once

#include "taskmanager/model/metricdetail.h"
#include "taskmanager/model/metricdetailsnapshot.h"

#include <QPixmap>
#include <QWidget>

#include <optional>
#include <utility>

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
    // The background, the value lines and their labels: they change with the
    // scale and the size only, not with each sample.
    QPixmap valueAxis(const QRectF &plot);

    MetricDetail m_metric;
    QList<SystemSample> m_history;
    MetricDetailSnapshot m_snapshot;
    std::optional<double> m_hoverTime;
    QPixmap m_valueAxis;
    QString m_valueAxisLook;
    mutable std::optional<std::pair<QString, double>> m_axisWidthFor;
    mutable qreal m_axisWidth = 0;
};

} // namespace Velmora
