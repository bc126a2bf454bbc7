#pragma once

#include "store/gridreordersession.h"

#include <QPointF>
#include <QStringList>

#include <optional>

namespace Velmora {

// The press, drag and release of one tile of the Start menu's pinned grid,
// apart from any widget. A press that travels 5 points starts a drag once
// the grid has been measured; the other tiles then take the order a release
// would give. A release under 8 points from the press is a click that opens
// the app (a drag that began between 5 and 8 points is dropped uncommitted);
// a release further away commits the drag's order. Only the tile that began
// a drag moves it; another tile's events leave it alone.
//
// A drag whose release never comes (the pointer grab lost, the tile hidden,
// the menu closed) is cancelled and commits nothing, and the next press can
// start a drag of its own. Main thread only.
class PinnedGridDrag
{
public:
    static constexpr qreal startDistance = 5;
    static constexpr qreal clickDistance = 8;
    static constexpr int columns = 4;
    static constexpr qreal spacing = 14;

    enum class Move {
        None,    // nothing changed
        Follow,  // the dragged tile follows the pointer; the order is the same
        Reorder, // the order changed: the other tiles slide
    };

    struct Release
    {
        enum class Kind { Nothing, Open, Commit };
        Kind kind = Kind::Nothing;
        // For Commit: the pin ids in their new order.
        QStringList order;
    };

    // What the grid measured of itself: its width and one tile's height.
    void setGridWidth(qreal width) { m_gridWidth = width; }
    void setCellHeight(qreal height) { m_cellHeight = height; }
    qreal gridWidth() const { return m_gridWidth; }
    qreal cellHeight() const { return m_cellHeight; }
    // The distance from one cell to the next across and down.
    QSizeF stride() const;

    // The pointer moved `translation` since the press on `app`'s tile;
    // `pins` are the Start pins now (a drag works on a copy taken as it starts).
    Move change(const AppItem &app, QPointF translation, const QList<AppItem> &pins);
    // The press on `app`'s tile was released `translation` from where it began.
    Release end(const AppItem &app, QPointF translation);
    // Ends a drag without committing anything.
    void cancel() { m_session.reset(); }

    const std::optional<GridReorderSession> &session() const { return m_session; }
    bool isDragging(const QString &id) const { return m_session && m_session->draggedID() == id; }
    // The grid's order: the drag's while one runs, else `pins`.
    QList<AppItem> displayedApps(const QList<AppItem> &pins) const;
    // Where the tile of `id` is drawn from its cell.
    QSizeF offset(const QString &id) const;

private:
    qreal m_gridWidth = 0;
    qreal m_cellHeight = 0;
    std::optional<GridReorderSession> m_session;
};

} // namespace Velmora
