#include "taskmanager/metriccardwidget.h"

#include "taskmanager/model/metricgraph.h"
#include "taskmanager/model/taskmanagerpalette.h"
#include "taskmanager/model/taskmanagersymbols.h"
#include "taskmanager/model/taskmanagerviewmodel.h"
#include "taskmanager/model/taskmanagerviewtexts.h"
#include "taskmanager/taskmanagerstyle.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

namespace Velmora {

namespace {

constexpr qreal padding = 14;
constexpr qreal spacing = 8;
constexpr qreal labelHeight = 16;
constexpr qreal valueHeight = 30;
constexpr qreal detailHeight = 13;
constexpr qreal sparklineHeight = 48;

QColor cardFill(const QColor &color, bool hovered)
{
    return TaskManagerPalette::withOpacity(color, hovered ? 0.12 : 0.06);
}

// The sparkline's light area as it shows on the card's background.
QColor areaUnderSparkline(const QColor &color, bool hovered)
{
    const QColor card = TaskManagerStyle::opaqueOver(cardFill(color, hovered), TaskManagerPalette::window());
    return TaskManagerStyle::opaqueOver(TaskManagerPalette::withOpacity(color, 0.16), card);
}

} // namespace

MetricCardWidget::MetricCardWidget(TaskManagerViewModel &model, int index, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
    , m_index(index)
{
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // The card paints the window's colour around its rounded corners itself,
    // so its repaints stop at the card.
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(&m_model, &TaskManagerViewModel::sampleApplied, this, &MetricCardWidget::refresh);
    connect(&m_model, &TaskManagerViewModel::hoveredMetricChanged, this, qOverload<>(&QWidget::update));
    refresh();
}

const MetricCard *MetricCardWidget::card() const
{
    const QList<MetricCard> &cards = m_model.cards();
    return m_index < cards.size() ? &cards[m_index] : nullptr;
}

void MetricCardWidget::refresh()
{
    const MetricCard *c = card();
    if (!c) {
        update();
        return;
    }
    setToolTip(TaskManagerViewText::expandHistory(c->metric.title));
    if (const QString name = c->metric.title + QStringLiteral(", ") + c->value; name != accessibleName())
        setAccessibleName(name);
    setAccessibleDescription(TaskManagerViewText::lastMinuteOf(c->metric.title));
    // Disk and network cards often read the same from one second to the next.
    if (!isShown(*c, look(*c)))
        update();
}

QString MetricCardWidget::look(const MetricCard &card) const
{
    return QStringLiteral("%1 %2x%3 %4 %5 %6")
        .arg(card.metric.title)
        .arg(width())
        .arg(height())
        .arg(devicePixelRatioF())
        .arg(m_model.hoveredMetric() == card.metric.title)
        .arg(hasFocus());
}

bool MetricCardWidget::isShown(const MetricCard &card, const QString &look) const
{
    return !m_picture.isNull() && look == m_pictureLook && card.value == m_pictureCard.value
        && card.detail == m_pictureCard.detail && card.series == m_pictureCard.series
        && card.sparklineTop == m_pictureCard.sparklineTop;
}

QSize MetricCardWidget::sizeHint() const
{
    const qreal height = 2 * padding + labelHeight + valueHeight + detailHeight + sparklineHeight + 3 * spacing;
    return QSize(220, qCeil(height));
}

QSize MetricCardWidget::minimumSizeHint() const
{
    return QSize(120, sizeHint().height());
}

void MetricCardWidget::drawSparkline(QPainter &painter, const QRectF &rect, const QList<std::optional<double>> &values,
    int slotCount, double top, const QColor &color, const QColor &areaColor)
{
    const QList<QPolygonF> segments = MetricGraph::sparklineSegments(values, slotCount, top, rect.size());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(rect.topLeft());
    for (const QPolygonF &points : segments) {
        QPainterPath area;
        area.addPolygon(points);
        area.lineTo(points.last().x(), rect.height());
        area.lineTo(points.first().x(), rect.height());
        area.closeSubpath();
        area.setFillRule(Qt::WindingFill);
        painter.fillPath(area, areaColor);
        painter.setPen(QPen(color, 1.5, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPolyline(points);
    }
    painter.restore();
}

void MetricCardWidget::drawBackground(QPainter &painter, const MetricCard &card, bool hovered) const
{
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor color = card.metric.color;
    const QRectF bounds = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(TaskManagerPalette::withOpacity(color, 0.22), 1));
    painter.setBrush(cardFill(color, hovered));
    painter.drawRoundedRect(bounds, 12, 12);
    if (hasFocus()) {
        painter.setPen(QPen(TaskManagerPalette::withOpacity(TaskManagerPalette::accent(), 0.8), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(bounds.adjusted(1, 1, -1, -1), 11, 11);
    }
    const QRectF content = QRectF(rect()).adjusted(padding, padding, -padding, -padding);
    TaskManagerSymbols::draw(painter, card.metric.icon, QRectF(content.left(), content.top() + 1, 14, 14), color);
    painter.setPen(color);
    painter.setFont(TaskManagerStyle::font(12, QFont::Medium));
    painter.drawText(QRectF(content.left() + 20, content.top(), content.width() - 20, labelHeight),
        Qt::AlignLeft | Qt::AlignVCenter, card.metric.title);
}

void MetricCardWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const MetricCard *c = card();
    if (!c) {
        painter.fillRect(rect(), TaskManagerPalette::window());
        return;
    }
    if (const QString currentLook = look(*c); !isShown(*c, currentLook)) {
        drawPicture(*c, currentLook);
        m_pictureLook = currentLook;
        m_pictureCard = *c;
    }
    painter.drawPixmap(0, 0, m_picture);
}

void MetricCardWidget::drawPicture(const MetricCard &c, const QString &currentLook)
{
    const bool hovered = m_model.hoveredMetric() == c.metric.title;
    const qreal ratio = devicePixelRatioF();
    if (currentLook != m_backgroundLook) {
        QPixmap background(size() * ratio);
        background.setDevicePixelRatio(ratio);
        background.fill(TaskManagerPalette::window());
        QPainter backgroundPainter(&background);
        drawBackground(backgroundPainter, c, hovered);
        m_background = background;
        m_backgroundLook = currentLook;
        m_sparklineArea = areaUnderSparkline(c.metric.color, hovered);
    }

    // The same picture is drawn over each time: a new one would set up a
    // paint engine of its own for every sample.
    if (m_picture.size() != m_background.size() || m_picture.devicePixelRatio() != ratio) {
        m_picture = QPixmap(m_background.size());
        m_picture.setDevicePixelRatio(ratio);
    }
    QPainter painter(&m_picture);
    painter.drawPixmap(0, 0, m_background);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor color = c.metric.color;
    const QRectF content = QRectF(rect()).adjusted(padding, padding, -padding, -padding);
    qreal y = content.top() + labelHeight + spacing;

    painter.setPen(TaskManagerPalette::primary());
    TaskManagerStyle::drawFittedText(painter, QRectF(content.left(), y, content.width(), valueHeight), c.value,
        TaskManagerStyle::font(24, QFont::DemiBold), 0.65);
    y += valueHeight + spacing;

    painter.setPen(TaskManagerPalette::secondary());
    TaskManagerStyle::drawFittedText(
        painter, QRectF(content.left(), y, content.width(), detailHeight), c.detail, TaskManagerStyle::font(10), 0.7);
    y += detailHeight + spacing;

    drawSparkline(painter, QRectF(content.left(), y, content.width(), sparklineHeight), c.series,
        MetricGraph::sparklineSlots, c.sparklineTop, color, m_sparklineArea);
}

void MetricCardWidget::enterEvent(QEnterEvent *)
{
    if (const MetricCard *c = card())
        m_model.setMetricHovered(c->metric.title, true);
}

void MetricCardWidget::leaveEvent(QEvent *)
{
    if (const MetricCard *c = card())
        m_model.setMetricHovered(c->metric.title, false);
}

void MetricCardWidget::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void MetricCardWidget::mouseReleaseEvent(QMouseEvent *event)
{
    const bool clicked = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (clicked) {
        if (const MetricCard *c = card())
            m_model.openMetric(c->metric);
    }
}

void MetricCardWidget::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (const MetricCard *c = card())
            m_model.openMetric(c->metric);
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace Velmora
