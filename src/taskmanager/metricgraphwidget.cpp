#include "taskmanager/metricgraphwidget.h"

#include "taskmanager/model/metricgraph.h"
#include "taskmanager/model/taskmanagerpalette.h"
#include "taskmanager/taskmanagerstyle.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>

namespace Velmora {

namespace {

constexpr qreal timeAxisHeight = 20;
constexpr qreal axisGap = 6;
constexpr qreal pointDiameter = 9.1; // a circle of 65 square points

QFont axisFont()
{
    return TaskManagerStyle::font(10);
}

} // namespace

MetricGraphWidget::MetricGraphWidget(QWidget *parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    // It paints its own background, the sheet's colour: a new sample or a
    // move of the pointer then repaints the graph alone, not the backdrop,
    // the panel and the window beneath it as well.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedHeight(graphHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void MetricGraphWidget::show(
    const MetricDetail &metric, const QList<SystemSample> &history, const MetricDetailSnapshot &snapshot)
{
    m_metric = metric;
    m_history = history;
    m_snapshot = snapshot;
    setAccessibleName(m_metric.title);
    update();
}

qreal MetricGraphWidget::valueAxisWidth() const
{
    // Asked for on every paint and every move of the pointer; the labels
    // change with the scale only.
    std::pair<QString, double> labels(m_metric.title, m_snapshot.scaleTop);
    if (m_axisWidthFor == labels)
        return m_axisWidth;
    const QFontMetricsF metrics(axisFont());
    qreal widest = 0;
    for (double value : MetricGraph::valueTicks(m_snapshot.scaleTop))
        widest = std::max(widest, metrics.horizontalAdvance(m_metric.formatted(value)));
    m_axisWidth = widest + axisGap;
    m_axisWidthFor = std::move(labels);
    return m_axisWidth;
}

QRectF MetricGraphWidget::plotRect() const
{
    const qreal left = valueAxisWidth();
    // Room on the right for half a time label at the right edge.
    return QRectF(left, 6, std::max(0.0, width() - left - 24), std::max(0.0, height() - 6 - timeAxisHeight));
}

double MetricGraphWidget::xFor(double timeMs, const QRectF &plot) const
{
    const double start = double(m_snapshot.windowEnd - MetricGraph::windowMs);
    return plot.left() + (timeMs - start) / double(MetricGraph::windowMs) * plot.width();
}

double MetricGraphWidget::yFor(double value, const QRectF &plot) const
{
    const double top = m_snapshot.scaleTop > 0 ? m_snapshot.scaleTop : 1;
    return plot.bottom() - std::clamp(value / top, 0.0, 1.0) * plot.height();
}

std::optional<double> MetricGraphWidget::timeAt(const QPointF &position) const
{
    const QRectF plot = plotRect();
    if (!plot.contains(position) || plot.width() <= 0)
        return std::nullopt;
    const double start = double(m_snapshot.windowEnd - MetricGraph::windowMs);
    return start + (position.x() - plot.left()) / plot.width() * double(MetricGraph::windowMs);
}

QPixmap MetricGraphWidget::valueAxis(const QRectF &plot)
{
    const qreal ratio = devicePixelRatioF();
    const QString look = QStringLiteral("%1 %2 %3x%4 %5")
                             .arg(m_metric.title)
                             .arg(m_snapshot.scaleTop, 0, 'g', 17)
                             .arg(width())
                             .arg(height())
                             .arg(ratio);
    if (look == m_valueAxisLook)
        return m_valueAxis;
    QPixmap axis(size() * ratio);
    axis.setDevicePixelRatio(ratio);
    axis.fill(TaskManagerPalette::sheet());
    QPainter painter(&axis);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(axisFont());
    for (double value : MetricGraph::valueTicks(m_snapshot.scaleTop)) {
        const double y = yFor(value, plot);
        painter.setPen(QPen(TaskManagerPalette::primary(0.08), 1));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(TaskManagerPalette::secondary());
        painter.drawText(
            QRectF(0, y - 8, plot.left() - axisGap, 16), Qt::AlignRight | Qt::AlignVCenter, m_metric.formatted(value));
    }
    m_valueAxis = axis;
    m_valueAxisLook = look;
    return m_valueAxis;
}

void MetricGraphWidget::paintEvent(QPaintEvent *event)
{
    const QRectF plot = plotRect();
    QPainter painter(this);
    painter.drawPixmap(0, 0, valueAxis(plot));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(axisFont());

    // The translucent lines are drawn in bands of rows: see paintInBands.
    // The area under the curve is not: each band would rasterize its whole
    // outline again, which costs more than the engine's threads.
    const QRectF plotArea = plot.adjusted(-2, -2, 2, 2);
    const QRegion bands = event->region() & plotArea.toAlignedRect();
    const QList<qint64> ticks = MetricGraph::timeTicks(m_snapshot.windowEnd);
    painter.setPen(QPen(TaskManagerPalette::primary(0.08), 1));
    TaskManagerStyle::paintInBands(painter, bands, [&] {
        for (qint64 tick : ticks) {
            const double x = xFor(double(tick), plot);
            painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        }
    });
    painter.setPen(TaskManagerPalette::secondary());
    for (qint64 tick : ticks) {
        const double x = xFor(double(tick), plot);
        painter.drawText(QRectF(x - 40, plot.bottom() + 4, 80, timeAxisHeight - 4), Qt::AlignHCenter | Qt::AlignTop,
            MetricGraph::clockTime(tick));
    }

    // Samples without a value leave no mark; the line joins the others.
    QPolygonF points;
    for (const SystemSample &sample : std::as_const(m_history)) {
        if (const auto value = m_metric.value(sample); value && std::isfinite(*value))
            points.append(QPointF(xFor(double(sample.timestamp), plot), yFor(*value, plot)));
    }
    painter.save();
    painter.setClipRect(plotArea);
    if (!points.isEmpty()) {
        QPainterPath area;
        area.moveTo(points.first().x(), plot.bottom());
        for (const QPointF &point : std::as_const(points))
            area.lineTo(point);
        area.lineTo(points.last().x(), plot.bottom());
        area.closeSubpath();
        QLinearGradient fill(0, plot.top(), 0, plot.bottom());
        fill.setColorAt(0, TaskManagerPalette::withOpacity(m_metric.color, 0.25));
        fill.setColorAt(1, TaskManagerPalette::withOpacity(m_metric.color, 0.01));
        painter.fillPath(area, fill);
        painter.setPen(QPen(m_metric.color, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(points);
    }

    // The marker sits on the selected sample, not on the pointer.
    if (m_hoverTime && m_snapshot.selected) {
        const SystemSample &sample = m_history[*m_snapshot.selected];
        if (const auto value = m_metric.value(sample); value && std::isfinite(*value)) {
            const double x = xFor(double(sample.timestamp), plot);
            QPen rule(TaskManagerPalette::withOpacity(TaskManagerPalette::secondary(), 0.5), 1);
            rule.setDashPattern({ 4, 4 });
            painter.setPen(rule);
            painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
            painter.setPen(Qt::NoPen);
            painter.setBrush(m_metric.color);
            painter.drawEllipse(QPointF(x, yFor(*value, plot)), pointDiameter / 2, pointDiameter / 2);
        }
    }
    painter.restore();
}

void MetricGraphWidget::mouseMoveEvent(QMouseEvent *event)
{
    const std::optional<double> time = timeAt(event->position());
    if (time == m_hoverTime)
        return;
    m_hoverTime = time;
    emit hoverTimeChanged(time);
}

void MetricGraphWidget::leaveEvent(QEvent *)
{
    if (!m_hoverTime)
        return;
    m_hoverTime.reset();
    emit hoverTimeChanged(std::nullopt);
}

} // namespace Velmora
