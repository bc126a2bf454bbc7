#include "taskmanager/metricoverlay.h"

#include "taskmanager/metricdetailwidget.h"
#include "taskmanager/model/taskmanagerpalette.h"
#include "taskmanager/model/taskmanagerviewmodel.h"
#include "taskmanager/model/taskmanagerviewtexts.h"
#include "taskmanager/taskmanagerstyle.h"

#include <QEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>

#include <vector>

namespace Velmora {

namespace {

// The panel's rounded sheet, painted behind its content.
class Sheet final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            auto *widget = static_cast<QWidget *>(watched);
            // Drawn once per size: the sheet repaints each time the window
            // beneath it changes, and copying is far cheaper than filling
            // the rounded shape again.
            const qreal ratio = widget->devicePixelRatioF();
            if (m_sheet.isNull() || m_sheet.size() != widget->size() * ratio) {
                m_sheet = QPixmap(widget->size() * ratio);
                m_sheet.setDevicePixelRatio(ratio);
                m_sheet.fill(Qt::transparent);
                QPainter painter(&m_sheet);
                painter.setRenderHint(QPainter::Antialiasing);
                const QRectF shape = QRectF(widget->rect()).adjusted(0.25, 0.25, -0.25, -0.25);
                painter.setPen(QPen(QColor(255, 255, 255, 31), 0.5));
                // Opaque: without a blur behind it, the content underneath
                // would show through the text.
                painter.setBrush(TaskManagerPalette::sheet());
                painter.drawRoundedRect(shape, 16, 16);
            }
            QPainter painter(widget);
            TaskManagerStyle::paintInBands(
                painter, static_cast<QPaintEvent *>(event)->region(), [&] { painter.drawPixmap(0, 0, m_sheet); });
        }
        return false;
    }

private:
    QPixmap m_sheet;
};

constexpr int shadowOffset = 8;
// Three box blurs of this radius come close to a Gaussian blur of about
// the same deviation, a soft edge of some 18 points either way.
constexpr int shadowBoxRadius = 8;
constexpr int shadowReach = 3 * shadowBoxRadius;
constexpr int shadowAlpha = 51;

// One pass of a box blur along rows (`step` 1) or columns (`step` the
// image's line length) of an 8-bit alpha image.
void boxBlur(uchar *bits, int lines, int length, qsizetype lineStep, qsizetype step, std::vector<int> &line)
{
    const int window = 2 * shadowBoxRadius + 1;
    line.resize(size_t(length));
    for (int l = 0; l < lines; ++l) {
        uchar *first = bits + l * lineStep;
        for (int i = 0; i < length; ++i)
            line[size_t(i)] = first[i * step];
        int sum = 0;
        for (int i = 0; i <= shadowBoxRadius && i < length; ++i)
            sum += line[size_t(i)];
        for (int i = 0; i < length; ++i) {
            first[i * step] = uchar(sum / window);
            if (i + shadowBoxRadius + 1 < length)
                sum += line[size_t(i + shadowBoxRadius + 1)];
            if (i - shadowBoxRadius >= 0)
                sum -= line[size_t(i - shadowBoxRadius)];
        }
    }
}

// The panel's soft shadow for a panel of `size`, `shadowReach` wider on
// every side.
QImage panelShadow(const QSize &size)
{
    QImage mask(size + QSize(2 * shadowReach, 2 * shadowReach), QImage::Format_Alpha8);
    mask.fill(0);
    {
        QPainter painter(&mask);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 0, shadowAlpha));
        painter.drawRoundedRect(QRectF(QPointF(shadowReach, shadowReach), QSizeF(size)), 16, 16);
    }
    std::vector<int> line;
    for (int pass = 0; pass < 3; ++pass) {
        boxBlur(mask.bits(), mask.height(), mask.width(), mask.bytesPerLine(), 1, line);
        boxBlur(mask.bits(), mask.width(), mask.height(), 1, mask.bytesPerLine(), line);
    }
    // In the window's own pixel format the engine blends the shadow row by
    // row; an alpha mask would go through its general, shared-out path.
    return mask.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace

MetricOverlay::MetricOverlay(TaskManagerViewModel &model, AppIconCache &icons, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
{
    setAccessibleName(TaskManagerViewText::closeGraph);
    m_panel = new MetricDetailWidget(model, icons, this);
    m_panel->installEventFilter(new Sheet(m_panel));
    m_panel->installEventFilter(this);
    connect(&m_model, &TaskManagerViewModel::expandedMetricChanged, this, &MetricOverlay::follow);
    follow();
}

void MetricOverlay::follow()
{
    const auto metric = m_model.expandedMetric();
    if (!metric) {
        hide();
        return;
    }
    m_panel->setMetric(*metric);
    setGeometry(parentWidget()->rect());
    place();
    show();
    raise();
    m_panel->setFocus();
}

void MetricOverlay::place()
{
    const QSize size = m_panel->sizeHint().expandedTo(m_panel->minimumSizeHint());
    m_panel->resize(m_panel->width(), size.height());
    m_panel->move((width() - m_panel->width()) / 2, std::max(0, (height() - m_panel->height()) / 2));
}

void MetricOverlay::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    // The shadow is blurred once per panel size and only drawn after that:
    // blurring it again for each repaint of the panel, as a graphics effect
    // on the panel would, costs more than all the rest of the window's
    // painting once a second.
    if (m_shadow.isNull() || m_shadowSize != m_panel->size()) {
        m_shadowSize = m_panel->size();
        m_shadow = panelShadow(m_shadowSize);
    }
    // What lies beneath changes once a second, and the dimming over it is
    // painted again each time.
    const QPoint shadowAt = m_panel->pos() + QPoint(-shadowReach, shadowOffset - shadowReach);
    TaskManagerStyle::paintInBands(painter, event->region(), [&] {
        painter.fillRect(rect(), QColor(0, 0, 0, 82));
        painter.drawImage(shadowAt, m_shadow);
    });
}

void MetricOverlay::mousePressEvent(QMouseEvent *event)
{
    // Only the backdrop gets here: the panel keeps its clicks.
    if (event->button() == Qt::LeftButton)
        m_model.closeMetric();
    event->accept();
}

void MetricOverlay::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    place();
}

bool MetricOverlay::eventFilter(QObject *watched, QEvent *event)
{
    // A click on the panel itself never reaches the backdrop.
    if (watched == m_panel
        && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease)) {
        event->accept();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace Velmora
