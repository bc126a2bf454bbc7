#include "taskmanager/processrowdelegate.h"

#include "taskmanager/model/processcolumns.h"
#include "taskmanager/model/processiconcache.h"
#include "taskmanager/model/processlistviewmodel.h"
#include "taskmanager/model/taskmanagerpalette.h"
#include "taskmanager/processlistview.h"
#include "taskmanager/taskmanagerstyle.h"

#include <QFontMetricsF>
#include <QPainter>

namespace Velmora {

ProcessRowDelegate::ProcessRowDelegate(ProcessListViewModel &list, ProcessIconCache &icons, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_list(list)
    , m_icons(icons)
{
}

QSize ProcessRowDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    return QSize(option.rect.width(), ProcessListView::rowHeight + ProcessListView::rowGap);
}

void ProcessRowDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (!index.isValid() || index.row() >= m_list.displayedCount())
        return;
    const ManagedProcess &process = m_list.model()->process(index.row());
    const QRectF row = QRectF(option.rect).adjusted(0, 0, 0, -ProcessListView::rowGap);
    painter->save();
    if (m_list.selection() == process.id)
        TaskManagerStyle::fillRoundedRect(
            *painter, row, 6, TaskManagerPalette::withOpacity(TaskManagerPalette::accent(), 0.16));
    else if (m_list.hoveredProcess() == process.id)
        TaskManagerStyle::fillRoundedRect(*painter, row, 6, TaskManagerPalette::primary(0.04));

    const QFont regular = TaskManagerStyle::font(12);
    const QFont medium = TaskManagerStyle::font(12, QFont::Medium);
    const QList<ProcessColumns::Cell> cells = ProcessColumns::layout(row);
    // The cells come in the table's column order.
    for (int i = 0; i < cells.size(); ++i) {
        const ProcessColumns::Cell &cell = cells[i];
        const QString text = index.siblingAtColumn(i).data().toString();
        QRectF area = cell.rect;
        QFont font = regular;
        QColor color = TaskManagerPalette::primary();
        Qt::TextElideMode elide = Qt::ElideRight;
        switch (cell.column) {
        case ProcessSort::Name: {
            const QRectF iconFrame(area.left(), area.center().y() - 13, 24, 26);
            m_icons.icon(process).paint(painter, QRectF(iconFrame.left(), iconFrame.top() + 1, 24, 24).toRect());
            area.setLeft(iconFrame.right() + 9);
            font = medium;
            elide = Qt::ElideMiddle;
            break;
        }
        case ProcessSort::Pid:
        case ProcessSort::Owner:
            color = TaskManagerPalette::secondary();
            break;
        default:
            break;
        }
        painter->setPen(color);
        drawText(*painter, area, text, font, font == medium, elide);
    }
    painter->restore();
}

void ProcessRowDelegate::drawText(QPainter &painter, const QRectF &area, const QString &text, const QFont &font,
    bool medium, Qt::TextElideMode elide) const
{
    constexpr qsizetype mostTexts = 4096;
    const int width = qFloor(area.width());
    QString key = text;
    key += QChar(medium ? u'm' : u'r');
    key += QString::number(width);
    auto found = m_texts.constFind(key);
    if (found == m_texts.cend()) {
        if (m_texts.size() >= mostTexts)
            m_texts.clear();
        QStaticText laidOut(QFontMetricsF(font).elidedText(text, elide, width));
        laidOut.setTextFormat(Qt::PlainText);
        laidOut.prepare(QTransform(), font);
        found = m_texts.insert(key, laidOut);
    }
    painter.setFont(font);
    const qreal height = QFontMetricsF(font).height();
    painter.drawStaticText(QPointF(area.left(), area.center().y() - height / 2), *found);
}

} // namespace Velmora
