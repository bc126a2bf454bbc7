#pragma once

#include <QStringList>

namespace Velmora {

// The order in which the user arranged one process's windows in the window
// picker while it sorts in fixed order. The store keeps one per process.
struct FixedWindowPreviewOrder
{
    QStringList ids;

    // Forgets windows that went away and appends new ones in the given order,
    // so known windows keep the user's order.
    void reconcile(const QStringList &currentIDs);
    // The order becomes exactly what is on screen with `id` moved to `target`
    // (counted after taking it out). An unknown id or a target outside the
    // list changes nothing.
    void move(const QString &id, qsizetype target, const QStringList &currentIDs);

    friend bool operator==(const FixedWindowPreviewOrder &, const FixedWindowPreviewOrder &) = default;
};

} // namespace Velmora
