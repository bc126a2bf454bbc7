#include "store/taskbarreordersession.h"

#include "store/dragslot.h"

#include <cmath>

namespace Velmora {

TaskbarReorderSession::TaskbarReorderSession(QString draggedID, qsizetype startIndex, QList<AppItem> apps)
    : m_draggedID(std::move(draggedID))
    , m_startIndex(startIndex)
    , m_apps(std::move(apps))
{
}

std::optional<TaskbarReorderSession> TaskbarReorderSession::create(const QString &draggedID, const QList<AppItem> &apps)
{
    const qsizetype index = DragSlot::indexOf(apps, draggedID, -1);
    if (index < 0)
        return std::nullopt;
    return TaskbarReorderSession(draggedID, index, apps);
}

void TaskbarReorderSession::setTranslation(double x)
{
    if (std::isfinite(x))
        m_translation = x;
}

qsizetype TaskbarReorderSession::currentIndex() const
{
    return DragSlot::indexOf(m_apps, m_draggedID, m_startIndex);
}

bool TaskbarReorderSession::moveToTarget(double x)
{
    if (!std::isfinite(x))
        return false;
    const qsizetype target = DragSlot::target(m_startIndex, x, slotWidth, m_apps.size() - 1);
    const qsizetype current = currentIndex();
    if (target == current || current >= m_apps.size())
        return false;
    m_apps.move(current, target);
    return true;
}

double TaskbarReorderSession::offset(const QString &id) const
{
    if (id != m_draggedID)
        return 0;
    return double(m_startIndex - currentIndex()) * slotWidth + m_translation;
}

QStringList TaskbarReorderSession::orderedIDs() const
{
    return AppItem::ids(m_apps);
}

} // namespace Velmora
