#pragma once

#include <QHash>
#include <QStaticText>
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
    // One cell's text, elided to `area`'s width, left-aligned and centred
    // vertically.
    void drawText(QPainter &painter, const QRectF &area, const QString &text, const QFont &font, bool medium,
        Qt::TextElideMode elide) const;

    ProcessListViewModel &m_list;
    ProcessIconCache &m_icons;
    // Laid-out cell texts by text, width and weight. The list is painted
    // again each second and most of its texts (names, ids, owners, usage
    // figures) come back unchanged: each is elided and shaped once.
    mutable QHash<QString, QStaticText> m_texts;
};

} // namespace Velmora
