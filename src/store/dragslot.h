#pragma once

#include <QList>
#include <QString>

// Slot arithmetic shared by the drag models. A translation that is not a
// finite number, or a pitch that is not a positive finite number, has no slot
// of its own and leaves the drag where it started; very large translations
// clamp instead of overflowing.
namespace Velmora::DragSlot {

// The slot under a drag along one row: `start + translation / pitch` taken to
// the nearest slot (halves going away from zero), clamped to 0 … last.
// Rounding the position rather than the distance makes half a slot to the
// left of a slot stay put, while half a slot to the right moves on.
qsizetype target(qsizetype start, double translation, double pitch, qsizetype last);

// The whole slots `translation` spans (nearest, halves going away from zero),
// so half a slot either way moves one slot. Used where each axis of a grid
// steps from its own start.
double wholeSlots(double translation, double pitch);

// `slot` clamped to 0 … last (0 when last is negative).
qsizetype clamped(double slot, qsizetype last);

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
