#include "store/fixedwindowprevieworder.h"

#include <QSet>

namespace Velmora {

void FixedWindowPreviewOrder::reconcile(const QStringList &currentIDs)
{
    const QSet<QString> current(currentIDs.cbegin(), currentIDs.cend());
    ids.removeIf([&](const QString &id) { return !current.contains(id); });
    QSet<QString> known(ids.cbegin(), ids.cend());
    for (const QString &id : currentIDs) {
        if (!known.contains(id)) {
            known.insert(id);
            ids.append(id);
        }
    }
}

void FixedWindowPreviewOrder::move(const QString &id, qsizetype target, const QStringList &currentIDs)
{
    const qsizetype from = currentIDs.indexOf(id);
    if (from < 0 || target < 0 || target >= currentIDs.size())
        return;
    QStringList order = currentIDs;
    order.move(from, target);
    ids = order;
}

} // namespace Velmora
