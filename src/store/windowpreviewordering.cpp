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

namespace {

// A stable sort by a key looked up once per preview, not once per comparison.
template<typename Key, typename MakeKey, typename Before>
QList<WindowPreviewItem> sortedByKey(const QList<WindowPreviewItem> &previews, MakeKey makeKey, Before before)
{
    struct Keyed
    {
        Key key;
        const WindowPreviewItem *preview;
    };
    QList<Keyed> keyed;
    keyed.reserve(previews.size());
    for (const WindowPreviewItem &preview : previews)
        keyed.append({ makeKey(preview), &preview });
    std::stable_sort(keyed.begin(), keyed.end(),
        [&](const Keyed &a, const Keyed &b) { return before(a.key, *a.preview, b.key, *b.preview); });
    QList<WindowPreviewItem> result;
    result.reserve(keyed.size());
    for (const Keyed &item : std::as_const(keyed))
        result.append(*item.preview);
    return result;
}

} // namespace

QList<WindowPreviewItem> WindowPreviewOrdering::ordered(const QList<WindowPreviewItem> &previews,
    WindowPreviewSortOrder order, const Recency &recency, const CustomName &customName)
{
    switch (order) {
    case WindowPreviewSortOrder::LastUsed:
        return sortedByKey<quint64>(
            previews, [&](const WindowPreviewItem &preview) { return recency(preview.id).value_or(0); },
            [&](quint64 ra, const WindowPreviewItem &a, quint64 rb, const WindowPreviewItem &b) {
                if (ra != rb)
                    return ra > rb;
                if (a.lastUsedRank != b.lastUsedRank)
                    return a.lastUsedRank < b.lastUsedRank;
                return titleBefore(a, b);
            });
    case WindowPreviewSortOrder::Alphabetical:
        return sortedByKey<QString>(
            previews,
            [&](const WindowPreviewItem &preview) { return customName(preview).value_or(preview.title); },
            [&](const QString &na, const WindowPreviewItem &a, const QString &nb, const WindowPreviewItem &b) {
                const int byName = m_collator.compare(na, nb);
                return byName != 0 ? byName < 0 : titleBefore(a, b);
            });
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
