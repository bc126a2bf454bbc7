#pragma once

#include "store/appitem.h"

#include <QStringList>

#include <optional>

namespace Velmora {

// The drag of one app button along the bar. The bar holds at most one while a
// press has turned into a reorder; it moves the dragged app inside its own
// working list and commits that order to the store when the press ends.
class TaskbarReorderSession
{
public:
    // One slot of the bar, in points.
    static constexpr double slotWidth = 47;

    // Nothing when no app has the dragged id.
    static std::optional<TaskbarReorderSession> create(const QString &draggedID, const QList<AppItem> &apps);

    const QString &draggedID() const { return m_draggedID; }
    qsizetype startIndex() const { return m_startIndex; }
    const QList<AppItem> &apps() const { return m_apps; }
    double translation() const { return m_translation; }
    // The pointer's horizontal translation since the press; a value that is
    // not finite is ignored.
    void setTranslation(double x);

    // Moves the dragged app to the slot under translation `x`; true when it moved.
    bool moveToTarget(double x);
    // How far the button of `id` is drawn from its slot: only the dragged one
    // moves, so that it stays under the pointer while its slot changes.
    double offset(const QString &id) const;

    QStringList orderedIDs() const;
    // Hands the working order to the store and ends the move there.
    template<typename Store> void commit(Store &store) const
    {
        store.reorderTaskbarApps(orderedIDs());
        store.finishTaskbarAppMove();
    }

private:
    TaskbarReorderSession(QString draggedID, qsizetype startIndex, QList<AppItem> apps);
    qsizetype currentIndex() const;

    QString m_draggedID;
    qsizetype m_startIndex = 0;
    QList<AppItem> m_apps;
    double m_translation = 0;
};

} // namespace Velmora
