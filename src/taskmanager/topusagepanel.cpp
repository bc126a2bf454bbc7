#include "taskmanager/topusagepanel.h"

#include "taskmanager/metricgraphwidget.h"
#include "taskmanager/model/appiconcache.h"
#include "taskmanager/model/taskmanagerpalette.h"
#include "taskmanager/model/taskmanagerviewtexts.h"
#include "taskmanager/taskmanagerstyle.h"

#include <QFontMetricsF>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace Velmora {

namespace {

constexpr qreal padding = 14;
constexpr qreal spacing = 12;
constexpr qreal headingHeight = 17;
constexpr qreal minimumRowHeight = 34;
constexpr qreal iconSize = 26;

} // namespace

TopUsagePanel::TopUsagePanel(AppIconCache &icons, QWidget *parent)
    : QWidget(parent)
    , m_icons(icons)
{
    setFixedSize(panelWidth, MetricGraphWidget::graphHeight);
    // It paints the sheet's colour around its corners: a new list then
    // repaints the panel alone, not the body beneath it.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TopUsagePanel::show(const MetricDetail &metric, const MetricDetailSnapshot &snapshot)
{
    // The list often stays as it was from one second to the next.
    if (metric.title == m_metric.title && snapshot.topApps == m_rows && snapshot.emptyPanelText == m_emptyText)
        return;
    m_metric = metric;
    m_rows = snapshot.topApps;
    m_emptyText = snapshot.emptyPanelText;
    update();
}

QList<TopUsagePanel::Row> TopUsagePanel::layoutRows() const
{
    QList<Row> rows;
    qreal y = padding + headingHeight + spacing;
    const QFontMetricsF detail(TaskManagerStyle::font(10));
    const qreal textWidth = width() - 2 * padding - iconSize - 9 - 6 - 60;
    for (const AppUsage &usage : m_rows) {
        qreal height = 15;
        if (usage.detail) {
            const QRectF bounds = detail.boundingRect(QRectF(0, 0, textWidth, 1000), Qt::TextWordWrap, *usage.detail);
            height += 2 + std::min(bounds.height(), detail.lineSpacing() * 2);
        }
        height = std::max(height, minimumRowHeight);
        rows.append({ QRectF(padding, y, width() - 2 * padding, height), usage });
        y += height + spacing;
    }
    return rows;
}

void TopUsagePanel::paintEvent(QPaintEvent *)
{
    // Filling the translucent rounded shape each second, Qt would share the
    // work out over its thread pool.
    TaskManagerStyle::roundedPanel(
        m_background, *this, 12, TaskManagerPalette::primary(0.04), TaskManagerPalette::sheet());
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_background);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(TaskManagerPalette::primary());
    painter.setFont(TaskManagerStyle::font(13, QFont::DemiBold));
    painter.drawText(QRectF(padding, padding, width() - 2 * padding, headingHeight), Qt::AlignLeft | Qt::AlignVCenter,
        TaskManagerViewText::highestUsage);

    if (m_rows.isEmpty()) {
        painter.setPen(TaskManagerPalette::secondary());
        painter.setFont(TaskManagerStyle::font(11));
        painter.drawText(QRectF(padding, padding + headingHeight + spacing, width() - 2 * padding,
                             height() - 2 * padding - headingHeight - spacing),
            Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, m_emptyText);
        return;
    }

    const QList<Row> rows = layoutRows();
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const Row &row = rows[i];
        if (row.rect.bottom() > height() - padding)
            break;
        const bool first = i == 0;
        m_icons.icon(row.usage.iconPath)
            .paint(
                &painter, QRectF(row.rect.left(), row.rect.center().y() - iconSize / 2, iconSize, iconSize).toRect());

        const QFont valueFont = TaskManagerStyle::font(12, QFont::Medium);
        const QString value = m_metric.formattedUsage(row.usage.value);
        const qreal valueWidth = QFontMetricsF(valueFont).horizontalAdvance(value);
        const qreal textLeft = row.rect.left() + iconSize + 9;
        const qreal textWidth = std::max(0.0, row.rect.right() - valueWidth - 6 - textLeft);

        const QFont nameFont = TaskManagerStyle::font(12, first ? QFont::DemiBold : QFont::Normal);
        const QFont detailFont = TaskManagerStyle::font(10);
        const QFontMetricsF detailMetrics(detailFont);
        const qreal detailHeight = row.usage.detail
            ? std::min(
                detailMetrics.boundingRect(QRectF(0, 0, textWidth, 1000), Qt::TextWordWrap, *row.usage.detail).height(),
                detailMetrics.lineSpacing() * 2)
            : 0;
        const qreal blockHeight = 15 + (row.usage.detail ? 2 + detailHeight : 0);
        qreal y = row.rect.center().y() - blockHeight / 2;
        painter.setFont(nameFont);
        painter.setPen(TaskManagerPalette::primary());
        painter.drawText(QRectF(textLeft, y, textWidth, 15), Qt::AlignLeft | Qt::AlignVCenter,
            QFontMetricsF(nameFont).elidedText(row.usage.name, Qt::ElideMiddle, textWidth));
        if (row.usage.detail) {
            y += 17;
            painter.setFont(detailFont);
            painter.setPen(TaskManagerPalette::secondary());
            const bool fits = detailMetrics.horizontalAdvance(*row.usage.detail) <= textWidth * 2;
            const QString detail = fits
                ? *row.usage.detail
                : detailMetrics.elidedText(*row.usage.detail, Qt::ElideMiddle, textWidth * 2 - 8);
            painter.drawText(QRectF(textLeft, y, textWidth, detailHeight),
                Qt::AlignLeft | Qt::AlignTop | Qt::TextWrapAnywhere, detail);
        }
        painter.setFont(valueFont);
        painter.setPen(first ? m_metric.color : TaskManagerPalette::secondary());
        painter.drawText(QRectF(row.rect.right() - valueWidth, row.rect.top(), valueWidth, row.rect.height()),
            Qt::AlignRight | Qt::AlignVCenter, value);
    }
}

bool TopUsagePanel::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        for (const Row &row : layoutRows()) {
            if (row.rect.contains(help->pos())) {
                QToolTip::showText(help->globalPos(), MetricDetailSnapshot::tooltip(row.usage), this);
                return true;
            }
        }
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    return QWidget::event(event);
}

} // namespace Velmora
