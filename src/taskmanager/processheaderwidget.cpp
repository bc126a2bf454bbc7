#include "taskmanager/processheaderwidget.h"

#include "taskmanager/model/processcolumns.h"
#include "taskmanager/model/processlistviewmodel.h"
#include "taskmanager/model/taskmanagerpalette.h"
#include "taskmanager/model/taskmanagersymbols.h"
#include "taskmanager/taskmanagerstyle.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>

namespace Velmora {

ProcessHeaderWidget::ProcessHeaderWidget(ProcessListViewModel &list, QWidget *parent)
    : QWidget(parent)
    , m_list(list)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setCursor(Qt::PointingHandCursor);
    connect(&m_list, &ProcessListViewModel::sortChanged, this, qOverload<>(&QWidget::update));
}

QSize ProcessHeaderWidget::sizeHint() const
{
    return QSize(600, 10 + 15 + 10);
}

void ProcessHeaderWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // Opaque, so rows scrolling beneath it never show through.
    painter.fillRect(rect(), TaskManagerPalette::window());
    painter.fillRect(rect(), TaskManagerPalette::primary(0.035));
    const QFont font = TaskManagerStyle::font(11, QFont::DemiBold);
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    for (const ProcessColumns::Cell &cell : ProcessColumns::layout(rect())) {
        const QString title = ProcessSorting::title(cell.column);
        painter.setPen(TaskManagerPalette::primary(cell.column == m_list.sort() ? 1.0 : 0.75));
        painter.drawText(cell.rect, Qt::AlignLeft | Qt::AlignVCenter, title);
        if (cell.column == m_list.sort()) {
            const qreal x = cell.rect.left() + metrics.horizontalAdvance(title) + 5;
            TaskManagerSymbols::draw(painter,
                m_list.ascending() ? QStringLiteral("chevron.up") : QStringLiteral("chevron.down"),
                QRectF(x, cell.rect.center().y() - 4, 8, 8), TaskManagerPalette::primary());
        }
    }
}

void ProcessHeaderWidget::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint()))
        return;
    if (const auto column = ProcessColumns::columnAt(rect(), event->position().x()))
        m_list.clickColumn(*column);
}

} // namespace Velmora
