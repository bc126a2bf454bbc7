#pragma once

#include "services/windowpreviewitem.h"
#include "store/fixedwindowprevieworder.h"
#include "store/storesettings.h"

#include <QCollator>
#include <QHash>
#include <QList>
#include <QSet>

#include <functional>
#include <optional>

namespace Velmora {

// The order in which the window picker shows an app's windows, and the
// user's own arrangement per process for the fixed order. Main thread only.
class WindowPreviewOrdering
{
public:
    // How recently a window had focus; larger is more recent.
    using Recency = std::function<std::optional<quint64>(const QString &previewID)>;
    // The name the user gave a window, if any.
    using CustomName = std::function<std::optional<QString>(const WindowPreviewItem &preview)>;

    WindowPreviewOrdering();

    // The previews in display order. Both sorts are stable: previews no rule
    // separates keep their given order.
    //  - lastUsed: most recently focused first; windows never focused after
    //    them, by their place in the window server's list; then by title.
    //  - alphabetical: by custom name or else title, then by title.
    //  - fixed: each process's windows in the user's arrangement, which
    //    forgets closed windows and appends new ones (so ordering updates it).
    QList<WindowPreviewItem> ordered(const QList<WindowPreviewItem> &previews, WindowPreviewSortOrder order,
        const Recency &recency, const CustomName &customName);

    // Moves a card in the fixed arrangement of its process. `shown` are the
    // cards as the picker shows them; they must all belong to that process.
    // False when nothing moved.
    bool move(const QString &id, qsizetype target, const QList<WindowPreviewItem> &shown);

    const FixedWindowPreviewOrder *fixedOrder(qint32 processIdentifier) const;
    // Forgets the arrangements of processes that no longer run.
    void retainProcesses(const QSet<qint32> &processIdentifiers);

private:
    QList<WindowPreviewItem> fixed(const QList<WindowPreviewItem> &previews);
    // Localized and case-insensitive, as a person reads a list.
    bool titleBefore(const WindowPreviewItem &a, const WindowPreviewItem &b) const;

    QCollator m_collator;
    QHash<qint32, FixedWindowPreviewOrder> m_fixedOrders;
};

} // namespace Velmora
