#include "store/gridreordersession.h"

#include "store/dragslot.h"

#include <algorithm>
#include <cmath>

namespace Velmora {

namespace {

bool isFinite(QSizeF size)
{
    return std::isfinite(size.width()) && std::isfinite(size.height());
}

} // namespace

GridReorderSession::GridReorderSession(
    QString draggedID, qsizetype startIndex, int columns, QSizeF stride, QList<AppItem> apps, QSizeF translation)
    : m_draggedID(std::move(draggedID))
    , m_startIndex(std::max<qsizetype>(startIndex, 0))
    , m_columns(columns)
    , m_stride(stride)
    , m_apps(std::move(apps))
    , m_translation(isFinite(translation) ? translation : QSizeF(0, 0))
{
}

qsizetype GridReorderSession::currentIndex() const
{
    return DragSlot::indexOf(m_apps, m_draggedID, m_startIndex);
}

qsizetype GridReorderSession::targetIndex(QSizeF t) const
{
    // Without columns or tiles there is no cell to go to.
    if (m_columns < 1 || m_apps.isEmpty())
        return currentIndex();
    const qsizetype rows = (m_apps.size() + m_columns - 1) / m_columns;
    const qsizetype column
        = DragSlot::clamped(double(m_startIndex % m_columns) + DragSlot::wholeSlots(t.width(), m_stride.width()),
            m_columns - 1);
    const qsizetype row = DragSlot::clamped(
        double(m_startIndex / m_columns) + DragSlot::wholeSlots(t.height(), m_stride.height()), rows - 1);
    return std::min(row * m_columns + column, m_apps.size() - 1);
}

bool GridReorderSession::update(QSizeF t)
{
    if (!isFinite(t))
        return false;
    m_translation = t;
    const qsizetype target = targetIndex(t);
    const qsizetype current = currentIndex();
    if (target == current || current >= m_apps.size())
        return false;
    m_apps.move(current, target);
    return true;
}

QSizeF GridReorderSession::offset(const QString &id) const
{
    // A default QSizeF is (-1, -1), not zero: spell the zero out.
    if (id != m_draggedID || m_columns < 1)
        return QSizeF(0, 0);
    const qsizetype current = currentIndex();
    const double columnShift = double(m_startIndex % m_columns - current % m_columns);
    const double rowShift = double(m_startIndex / m_columns - current / m_columns);
    return { m_translation.width() + m_stride.width() * columnShift,
        m_translation.height() + m_stride.height() * rowShift };
}

QStringList GridReorderSession::orderedIDs() const
{
    return AppItem::ids(m_apps);
}

} // namespace Velmora
