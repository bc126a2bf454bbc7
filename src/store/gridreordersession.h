#pragma once

#include "store/appitem.h"

#include <QSizeF>
#include <QStringList>

namespace Velmora {

// The drag of one tile in the Start menu's pinned grid, laid out row by row.
// The Start menu holds it for one drag and hands orderedIDs() to the store at
// the end.
class GridReorderSession
{
public:
    // `stride` is the distance from one cell to the next across and down. A
    // stride component that is not positive, or fewer than one column, gives
    // that direction no slots: the tile then does not move along it.
    GridReorderSession(QString draggedID, qsizetype startIndex, int columns, QSizeF stride, QList<AppItem> apps,
        QSizeF translation = QSizeF(0, 0));

    const QString &draggedID() const { return m_draggedID; }
    qsizetype startIndex() const { return m_startIndex; }
    int columns() const { return m_columns; }
    QSizeF stride() const { return m_stride; }
    const QList<AppItem> &apps() const { return m_apps; }
    QSizeF translation() const { return m_translation; }

    // The cell under translation `t`; a cell right of the last tile in the
    // last row maps to the last tile.
    qsizetype targetIndex(QSizeF t) const;
    // Records `t` and moves the dragged tile to its target; true when it moved.
    // A translation that is not finite is ignored.
    bool update(QSizeF t);
    // How far the tile of `id` is drawn from its cell; only the dragged tile
    // moves, every other tile is drawn exactly in its cell.
    QSizeF offset(const QString &id) const;

    QStringList orderedIDs() const;

private:
    qsizetype currentIndex() const;

    QString m_draggedID;
    qsizetype m_startIndex = 0;
    int m_columns = 1;
    QSizeF m_stride;
    QList<AppItem> m_apps;
    QSizeF m_translation;
};

} // namespace Velmora
