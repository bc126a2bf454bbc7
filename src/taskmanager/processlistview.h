#pragma once

#include <QListView>

#include <optional>

namespace Velmora {

class ProcessActionsViewModel;
class ProcessIconCache;
class ProcessListViewModel;
struct ManagedProcess;

// The rows of the process list. A click selects or deselects a row, a
// right-click (or a Control-click) selects it and opens its menu, a click on
// empty space clears the selection. Shows why the list is empty when it is.
class ProcessListView : public QListView
{
    Q_OBJECT
public:
    static constexpr int rowHeight = 38;
    static constexpr int rowGap = 2;

    ProcessListView(ProcessListViewModel &list, ProcessActionsViewModel &actions, ProcessIconCache &icons,
        QWidget *parent = nullptr);

    // The row menu for a process: web search, reveal, End Task, Force Quit.
    void showMenu(const ManagedProcess &process, const QPoint &globalPosition);

protected:
    void dataChanged(
        const QModelIndex &topLeft, const QModelIndex &bottomRight, const QList<int> &roles = {}) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void hoverAt(const QPoint &position);
    void clearHover();

    ProcessListViewModel &m_list;
    ProcessActionsViewModel &m_actions;
    std::optional<qint32> m_hovered;
};

} // namespace Velmora
