#include "startmenu/model/pinnedgriddrag.h"

#include <cmath>

namespace Velmora {

QSizeF PinnedGridDrag::stride() const
{
    // Four columns and three gaps: one column pitch is a quarter of the
    // width with one more gap.
    return {(m_gridWidth + spacing) * 0.25, m_cellHeight + spacing};
}

PinnedGridDrag::Move PinnedGridDrag::change(const AppItem &app, QPointF translation, const QList<AppItem> &pins)
{
    if (std::hypot(translation.x(), translation.y()) < startDistance)
        return Move::None;
    if (!m_session) {
        const QSizeF pitch = stride();
        qsizetype start = -1;
        for (qsizetype i = 0; i < pins.size(); ++i) {
            if (pins.at(i).id == app.id) {
                start = i;
                break;
            }
        }
        // Before the grid has been measured (the gaps alone would give a
        // stride), or for a tile no longer pinned, there is nothing to drag.
        if (!(m_gridWidth > 0) || !(m_cellHeight > 0) || !(pitch.width() > 0) || !(pitch.height() > 0) || start < 0)
            return Move::None;
        m_session.emplace(app.id, start, columns, pitch, pins);
    }
    if (m_session->draggedID() != app.id)
        return Move::None;
    return m_session->update(QSizeF(translation.x(), translation.y())) ? Move::Reorder : Move::Follow;
}

PinnedGridDrag::Release PinnedGridDrag::end(const AppItem &app, QPointF translation)
{
    if (std::hypot(translation.x(), translation.y()) < clickDistance) {
        // A click, even after a short drag: that drag's order is dropped.
        if (!m_session || m_session->draggedID() == app.id)
            m_session.reset();
        return {Release::Kind::Open, {}};
    }
    if (!m_session || m_session->draggedID() != app.id)
        return {};
    Release release{Release::Kind::Commit, m_session->orderedIDs()};
    m_session.reset();
    return release;
}

QList<AppItem> PinnedGridDrag::displayedApps(const QList<AppItem> &pins) const
{
    return m_session ? m_session->apps() : pins;
}

QSizeF PinnedGridDrag::offset(const QString &id) const
{
    return m_session ? m_session->offset(id) : QSizeF(0, 0);
}

} // namespace Velmora
