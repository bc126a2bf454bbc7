#include "taskmanager/processlistview.h"

#include "app/model/velmorapalette.h"
#include "taskmanager/model/processactionsviewmodel.h"
#include "taskmanager/model/processiconcache.h"
#include "taskmanager/model/processlistviewmodel.h"
#include "taskmanager/model/taskmanagerpalette.h"
#include "taskmanager/model/taskmanagersymbols.h"
#include "taskmanager/model/taskmanagerviewtexts.h"
#include "taskmanager/processrowdelegate.h"
#include "taskmanager/taskmanagerstyle.h"

#include <QAccessible>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyleOptionMenuItem>

namespace Velmora {

namespace {

// Draws an enabled "Force Quit…" in red, as destructive commands are.
class RowMenuStyle final : public QProxyStyle
{
public:
    void drawControl(
        ControlElement element, const QStyleOption *option, QPainter *painter, const QWidget *widget) const override
    {
        const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
        if (element == CE_MenuItem && item && (item->state & State_Enabled)
            && item->text.startsWith(TaskManagerViewText::forceQuitEllipsis)) {
            QStyleOptionMenuItem red(*item);
            for (QPalette::ColorRole role : { QPalette::Text, QPalette::ButtonText, QPalette::WindowText })
                red.palette.setColor(role, TaskManagerPalette::red());
            QProxyStyle::drawControl(element, &red, painter, widget);
            return;
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }
};

} // namespace

ProcessListView::ProcessListView(
    ProcessListViewModel &list, ProcessActionsViewModel &actions, ProcessIconCache &icons, QWidget *parent)
    : QListView(parent)
    , m_list(list)
    , m_actions(actions)
{
    setModel(m_list.model());
    setItemDelegate(new ProcessRowDelegate(m_list, icons, this));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    verticalScrollBar()->setSingleStep(ProcessListView::rowHeight / 2);
    // A slim scroller that sits quietly on the dark list.
    verticalScrollBar()->setStyleSheet(QStringLiteral(
        "QScrollBar:vertical { background: transparent; width: 10px; margin: 2px 2px 2px 0; }"
        "QScrollBar::handle:vertical { background: rgba(255, 255, 255, 56); border-radius: 3px; min-height: 32px; }"
        "QScrollBar::handle:vertical:hover { background: rgba(255, 255, 255, 90); }"
        "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
        "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: transparent; }"));
    setMouseTracking(true);
    viewport()->setAutoFillBackground(false);
    setAutoFillBackground(false);
    setViewportMargins(0, 6, 0, 6);
    setAccessibleName(TaskManagerViewText::processes);

    connect(&m_list, &ProcessListViewModel::selectionChanged, viewport(), qOverload<>(&QWidget::update));
    connect(&m_list, &ProcessListViewModel::hoveredProcessChanged, viewport(), qOverload<>(&QWidget::update));
    // A new list repaints through the model's own signals: rows that changed,
    // came or went, or a new order. Repainting the whole list on top of that
    // painted it twice a second.

    // Rows show a generic icon until their process's own is looked up.
    connect(&icons, &ProcessIconCache::iconArrived, viewport(), qOverload<>(&QWidget::update));
}

void ProcessListView::dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight, const QList<int> &roles)
{
    // A row's columns change together, and the base view repaints all it
    // shows for anything wider than one cell: only the changed rows repaint.
    if (QAccessible::isActive() || !topLeft.isValid() || !bottomRight.isValid()) {
        QListView::dataChanged(topLeft, bottomRight, roles);
        return;
    }
    for (int row = topLeft.row(); row <= bottomRight.row(); ++row)
        update(model()->index(row, 0));
}

void ProcessListView::paintEvent(QPaintEvent *event)
{
    QListView::paintEvent(event);
    if (m_list.displayedCount() > 0)
        return;
    // Why the list is empty: no sample with processes yet, or a search that
    // matches nothing.
    const bool searching = !m_list.search().isEmpty();
    QPainter painter(viewport());
    const QRectF area = viewport()->rect();
    const QPointF centre = area.center();
    TaskManagerSymbols::draw(painter, QStringLiteral("magnifyingglass"),
        QRectF(centre.x() - 20, centre.y() - 58, 40, 40), TaskManagerPalette::secondary());
    painter.setPen(TaskManagerPalette::primary());
    painter.setFont(TaskManagerStyle::font(17, QFont::DemiBold));
    painter.drawText(QRectF(area.left(), centre.y() - 10, area.width(), 24), Qt::AlignCenter,
        searching ? TaskManagerViewText::noMatchTitle : TaskManagerViewText::waitingTitle);
    painter.setPen(TaskManagerPalette::secondary());
    painter.setFont(TaskManagerStyle::font(13));
    painter.drawText(QRectF(area.left(), centre.y() + 18, area.width(), 20), Qt::AlignCenter,
        searching ? TaskManagerViewText::noMatchDescription : TaskManagerViewText::waitingDescription);
}

void ProcessListView::mousePressEvent(QMouseEvent *event)
{
    // A Control-click is the one-button mouse's right-click.
    if (event->button() == Qt::LeftButton && (event->modifiers() & Qt::ControlModifier)) {
        const QModelIndex index = indexAt(event->position().toPoint());
        if (index.isValid())
            showMenu(m_list.model()->process(index.row()), event->globalPosition().toPoint());
        event->accept();
        return;
    }
    event->accept();
}

void ProcessListView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || (event->modifiers() & Qt::ControlModifier))
        return;
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid()) {
        m_list.backgroundTapped();
        return;
    }
    // The gap between rows is empty space too.
    if (event->position().y() > visualRect(index).bottom() - rowGap) {
        m_list.backgroundTapped();
        return;
    }
    m_list.selectProcess(m_list.model()->process(index.row()), true);
}

void ProcessListView::mouseDoubleClickEvent(QMouseEvent *event)
{
    // Two clicks select and deselect, as two single clicks do.
    mouseReleaseEvent(event);
}

void ProcessListView::mouseMoveEvent(QMouseEvent *event)
{
    hoverAt(event->position().toPoint());
}

void ProcessListView::leaveEvent(QEvent *event)
{
    clearHover();
    QListView::leaveEvent(event);
}

void ProcessListView::hoverAt(const QPoint &position)
{
    const QModelIndex index = indexAt(position);
    const std::optional<qint32> pid
        = index.isValid() ? std::optional(m_list.model()->process(index.row()).id) : std::nullopt;
    if (pid == m_hovered)
        return;
    clearHover();
    m_hovered = pid;
    if (pid)
        m_list.setHovered(*pid, true);
}

void ProcessListView::clearHover()
{
    if (m_hovered)
        m_list.setHovered(*m_hovered, false);
    m_hovered.reset();
}

void ProcessListView::contextMenuEvent(QContextMenuEvent *event)
{
    const QModelIndex index = event->reason() == QContextMenuEvent::Mouse ? indexAt(event->pos()) : QModelIndex();
    if (index.isValid()) {
        showMenu(m_list.model()->process(index.row()), event->globalPos());
    } else if (const auto selected = m_list.selected(); selected && event->reason() != QContextMenuEvent::Mouse) {
        // From the keyboard: the menu of the selected row.
        showMenu(*selected, viewport()->mapToGlobal(viewport()->rect().center()));
    }
    event->accept();
}

void ProcessListView::keyPressEvent(QKeyEvent *event)
{
    // Rows are chosen with the pointer; the keys only scroll.
    QAbstractScrollArea::keyPressEvent(event);
}

void ProcessListView::showMenu(const ManagedProcess &process, const QPoint &globalPosition)
{
    m_list.selectProcess(process, false);
    const bool canEnd = m_list.canEnd(process);
    auto *menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // One style for every menu, kept for the whole run: a style must outlive
    // each widget that uses it.
    static RowMenuStyle *const style = new RowMenuStyle;
    menu->setStyle(style);
    menu->setPalette(VelmoraPalette::menu());
    menu->addAction(TaskManagerViewText::searchInBrowser, this, [this, process] { m_actions.searchWeb(process); });
    menu->addAction(TaskManagerViewText::showInFinder, this, [this, process] { m_actions.showInFinder(process); });
    menu->addSeparator();
    QAction *end = menu->addAction(
        TaskManagerViewText::endTaskEllipsis, this, [this, process] { m_actions.requestEnd(process, false); });
    QAction *force = menu->addAction(
        TaskManagerViewText::forceQuitEllipsis, this, [this, process] { m_actions.requestEnd(process, true); });
    end->setEnabled(canEnd);
    force->setEnabled(canEnd);
    menu->popup(globalPosition);
}

} // namespace Velmora
