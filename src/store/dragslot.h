#pragma once

#include <QList>
#include <QString>

namespace Velmora::DragSlot {

// The slot a drag has reached: `translation / pitch` whole slots away from
// `start` (nearest slot, halves going away from zero), clamped to 0 … last.
// A translation that is not a finite number, or a pitch that is not a
// positive finite number, has no slot of its own and leaves the drag at
// `start`; very large translations clamp instead of overflowing.
qsizetype target(qsizetype start, double translation, double pitch, qsizetype last);

// The first index of the item whose id equals `id`, or `fallback` when there is none.
template<typename Item> qsizetype indexOf(const QList<Item> &list, const QString &id, qsizetype fallback)
{
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (list.at(i).id == id)
            return i;
    }
    return fallback;
}

} // namespace Velmora::DragSlot
