#include "store/windowpreviewordering.h"

#include <algorithm>

namespace Velmora {

WindowPreviewOrdering::WindowPreviewOrdering()
{
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
}

bool WindowPreviewOrdering::titleBefore(const WindowPreviewItem &a, const WindowPreviewItem &b) const
{
    return m_collator.compare(a.title, b.title) < 0;
}

QList<WindowPreviewItem> WindowPreviewOrdering::ordered(const QList<WindowPreviewItem> &previews,
    WindowPreviewSortOrder order, const Recency &recency, const CustomName &customName)
{
    switch (order) {
    case WindowPreviewSortOrder::LastUsed: {
        // Each key is looked up once, not once per comparison.
        struct Keyed
        {
            quint64 recency;
            const WindowPreviewItem *preview;
        };
        QList<Keyed> keyed;
        keyed.reserve(previews.size());
        for (const WindowPreviewItem &preview : previews)
            keyed.append({ recency(preview.id).value_or(0), &preview });
        std::stable_sort(keyed.begin(), keyed.end(), [&](const Keyed &a, const Keyed &b) {
            if (a.recency != b.recency)
                return a.recency > b.recency;
            if (a.preview->lastUsedRank != b.preview->lastUsedRank)
                return a.preview->lastUsedRank < b.preview->lastUsedRank;
            return titleBefore(*a.preview, *b.preview);
        });
        QList<WindowPreviewItem> result;
        result.reserve(keyed.size());
        for (const Keyed &item : std::as_const(keyed))
            result.append(*item.preview);
        return result;
    }
    case WindowPreviewSortOrder::Alphabetical: {
        struct Keyed
        {
            QString name;
            const WindowPreviewItem *preview;
        };
        QList<Keyed> keyed;
        keyed.reserve(previews.size());
        for (const WindowPreviewItem &preview : previews)
            keyed.append({ customName(preview).value_or(preview.title), &preview });
        std::stable_sort(keyed.begin(), keyed.end(), [&](const Keyed &a, const Keyed &b) {
            const int byName = m_collator.compare(a.name, b.name);
            if (byName != 0)
                return byName < 0;
            return titleBefore(*a.preview, *b.preview);
        });
        QList<WindowPreviewItem> result;
        result.reserve(keyed.size());
        for (const Keyed &item : std::as_const(keyed))
            result.append(*item.preview);
        return result;
    }
    case WindowPreviewSortOrder::Fixed:
        return fixed(previews);
    }
    return previews;
}

QList<WindowPreviewItem> WindowPreviewOrdering::fixed(const QList<WindowPreviewItem> &previews)
{
    QHash<qint32, QStringList> idsByProcess;
    QList<qint32> processes;
    for (const WindowPreviewItem &preview : previews) {
        auto found = idsByProcess.find(preview.processIdentifier);
        if (found == idsByProcess.end()) {
            processes.append(preview.processIdentifier);
            found = idsByProcess.insert(preview.processIdentifier, {});
        }
        found->append(preview.id);
    }
    QHash<QString, qsizetype> position;
    for (qint32 process : std::as_const(processes)) {
        FixedWindowPreviewOrder &order = m_fixedOrders[process];
        order.reconcile(idsByProcess.value(process));
        for (qsizetype i = 0; i < order.ids.size(); ++i)
            position.insert(order.ids.at(i), i);
    }
    QList<WindowPreviewItem> result = previews;
    std::stable_sort(result.begin(), result.end(), [&](const WindowPreviewItem &a, const WindowPreviewItem &b) {
        return position.value(a.id) < position.value(b.id);
    });
    return result;
}

bool WindowPreviewOrdering::move(const QString &id, qsizetype target, const QList<WindowPreviewItem> &shown)
{
    const auto moved = std::find_if(
        shown.cbegin(), shown.cend(), [&](const WindowPreviewItem &preview) { return preview.id == id; });
    if (moved == shown.cend() || target < 0 || target >= shown.size() || shown.at(target).id == id)
        return false;
    const qint32 process = moved->processIdentifier;
    // One process's arrangement cannot place another process's windows.
    if (!std::all_of(shown.cbegin(), shown.cend(),
            [&](const WindowPreviewItem &preview) { return preview.processIdentifier == process; }))
        return false;
    QStringList ids;
    ids.reserve(shown.size());
    for (const WindowPreviewItem &preview : shown)
        ids.append(preview.id);
    m_fixedOrders[process].move(id, target, ids);
    return true;
}

const FixedWindowPreviewOrder *WindowPreviewOrdering::fixedOrder(qint32 processIdentifier) const
{
    const auto found = m_fixedOrders.constFind(processIdentifier);
    return found == m_fixedOrders.cend() ? nullptr : &*found;
}

void WindowPreviewOrdering::retainProcesses(const QSet<qint32> &processIdentifiers)
{
    m_fixedOrders.removeIf([&](const auto &entry) { return !processIdentifiers.contains(entry.key()); });
}

} // namespace Velmora
