#include "taskmanager/metricdetailwidget.h"

#include "taskmanager/metricgraphwidget.h"
#include "taskmanager/model/metricdetailsnapshot.h"
#include "taskmanager/model/taskmanagerpalette.h"
#include "taskmanager/model/taskmanagersymbols.h"
#include "taskmanager/model/taskmanagerviewmodel.h"
#include "taskmanager/model/taskmanagerviewtexts.h"
#include "taskmanager/taskmanagerstyle.h"
#include "taskmanager/topusagepanel.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

namespace Velmora {

namespace {

constexpr int iconSize = 22;

} // namespace

MetricDetailWidget::MetricDetailWidget(TaskManagerViewModel &model, AppIconCache &icons, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
{
    // The content sits on an opaque body of the sheet's colour, inside the
    // rounded corners: a new value, time or list then repaints itself alone,
    // not the sheet, the backdrop and the window beneath them as well.
    auto *frame = new QVBoxLayout(this);
    frame->setContentsMargins(28, 28, 28, 28);
    m_body = new QWidget(this);
    m_body->setAutoFillBackground(true);
    QPalette bodyPalette = m_body->palette();
    bodyPalette.setColor(QPalette::Window, TaskManagerPalette::sheet());
    m_body->setPalette(bodyPalette);
    m_body->installEventFilter(this);
    frame->addWidget(m_body);
    auto *column = new QVBoxLayout(m_body);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(24);

    auto *header = new QHBoxLayout;
    m_title = TaskManagerStyle::label(
        QString(), TaskManagerStyle::font(22, QFont::DemiBold), TaskManagerPalette::primary(), m_body);
    m_title->setIndent(iconSize + 8); // the symbol is painted in front
    m_close = new QToolButton(m_body);
    m_close->setIcon(TaskManagerSymbols::icon(QStringLiteral("xmark"), TaskManagerPalette::secondary()));
    m_close->setIconSize(QSize(14, 14));
    m_close->setFixedSize(24, 24);
    m_close->setAutoRaise(true);
    m_close->setAccessibleName(TaskManagerViewText::closeGraph);
    m_close->setToolTip(TaskManagerViewText::closeGraph);
    m_close->setShortcut(QKeySequence(Qt::Key_Escape));
    m_close->setStyleSheet(QStringLiteral("QToolButton { border: none; background: transparent; }"));
    header->addWidget(m_title, 1);
    header->addWidget(m_close);
    column->addLayout(header);

    auto *readout = new QHBoxLayout;
    readout->setSpacing(16);
    m_value = TaskManagerStyle::label(
        QString(), TaskManagerStyle::font(34, QFont::DemiBold), TaskManagerPalette::primary(), m_body);
    m_time = TaskManagerStyle::label(QString(), TaskManagerStyle::font(14), TaskManagerPalette::secondary(), m_body);
    auto *window
        = TaskManagerStyle::label(QString(), TaskManagerStyle::font(13), TaskManagerPalette::secondary(), m_body);
    window->setText(TaskManagerViewText::lastSixtySeconds);
    readout->addWidget(m_value, 0, Qt::AlignBaseline);
    readout->addWidget(m_time, 0, Qt::AlignBaseline);
    readout->addStretch(1);
    readout->addWidget(window, 0, Qt::AlignBaseline);
    column->addLayout(readout);

    auto *graphRow = new QHBoxLayout;
    graphRow->setSpacing(24);
    m_graph = new MetricGraphWidget(m_body);
    m_panel = new TopUsagePanel(icons, m_body);
    graphRow->addWidget(m_graph, 1, Qt::AlignTop);
    graphRow->addWidget(m_panel, 0, Qt::AlignTop);
    column->addLayout(graphRow);

    m_hint = TaskManagerStyle::label(QString(), TaskManagerStyle::font(12), TaskManagerPalette::secondary(), m_body);
    column->addWidget(m_hint);

    connect(m_close, &QToolButton::clicked, &m_model, &TaskManagerViewModel::closeMetric);
    connect(&m_model, &TaskManagerViewModel::sampleApplied, this, &MetricDetailWidget::refresh);
    connect(m_graph, &MetricGraphWidget::hoverTimeChanged, this, [this](std::optional<double> time) {
        m_hoverTime = time;
        refresh();
    });
}

void MetricDetailWidget::setMetric(const MetricDetail &metric)
{
    m_metric = metric;
    m_hoverTime.reset();
    m_title->setText(metric.title);
    QPalette palette = m_title->palette();
    palette.setColor(QPalette::WindowText, metric.color);
    m_title->setPalette(palette);
    m_panel->setVisible(metric.consumers != nullptr);
    m_hint->setText(MetricDetailSnapshot::hint(metric));
    setFixedWidth(MetricDetailSnapshot::width(metric));
    refresh();
    adjustSize();
    m_body->update(); // the metric's symbol
}

void MetricDetailWidget::refresh()
{
    if (m_metric.title.isEmpty())
        return;
    const QList<SystemSample> &history = m_model.history();
    const MetricDetailSnapshot snapshot = MetricDetailSnapshot::make(m_metric, history, m_hoverTime, m_model.nowMs());
    m_value->setText(snapshot.readout);
    m_time->setText(snapshot.readoutTime.value_or(QString()));
    m_graph->show(m_metric, history, snapshot);
    m_panel->show(m_metric, snapshot);
}

bool MetricDetailWidget::eventFilter(QObject *watched, QEvent *event)
{
    // The metric's symbol in front of its title, over the body's colour.
    if (watched == m_body && event->type() == QEvent::Paint) {
        QPainter painter(m_body);
        const QRect title = m_title->geometry();
        TaskManagerSymbols::draw(painter, m_metric.icon,
            QRectF(title.left(), title.center().y() - iconSize / 2.0, iconSize, iconSize), m_metric.color);
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace Velmora
