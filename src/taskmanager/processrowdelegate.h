#pragma once

#include <QStyledItemDelegate>

namespace Velmora {

class ProcessIconCache;
class ProcessListViewModel;

// Paints one row of the process list across its five columns.
class ProcessRowDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    ProcessRowDelegate(ProcessListViewModel &list, ProcessIconCache &icons, QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    ProcessListViewModel &m_list;
    ProcessIconCache &m_icons;
};

} // namespace Velmora
