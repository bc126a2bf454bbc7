#include "taskmanager/metricoverlay.h"

#include "taskmanager/metricdetailwidget.h"
#include "taskmanager/model/taskmanagerpalette.h"
#include "taskmanager/model/taskmanagerviewmodel.h"
#include "taskmanager/model/taskmanagerviewtexts.h"

#include <QEvent>
#include <QGraphicsDropShadowEffect>
#include <QMouseEvent>
#include <QPainter>

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
            QPainter painter(widget);
            painter.setRenderHint(QPainter::Antialiasing);
            const QRectF shape = QRectF(widget->rect()).adjusted(0.25, 0.25, -0.25, -0.25);
            painter.setPen(QPen(QColor(255, 255, 255, 31), 0.5));
            // Opaque: without a blur behind it, the content underneath would
            // show through the text.
            painter.setBrush(TaskManagerPalette::sheet());
            painter.drawRoundedRect(shape, 16, 16);
        }
        return false;
    }
};

} // namespace

MetricOverlay::MetricOverlay(TaskManagerViewModel &model, AppIconCache &icons, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
{
    setAccessibleName(TaskManagerViewText::closeGraph);
    m_panel = new MetricDetailWidget(model, icons, this);
    m_panel->installEventFilter(new Sheet(m_panel));
    m_panel->installEventFilter(this);
    auto *shadow = new QGraphicsDropShadowEffect(m_panel);
    shadow->setBlurRadius(36);
    shadow->setOffset(0, 8);
    shadow->setColor(QColor(0, 0, 0, 51));
    m_panel->setGraphicsEffect(shadow);
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

void MetricOverlay::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0, 0, 0, 82));
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
