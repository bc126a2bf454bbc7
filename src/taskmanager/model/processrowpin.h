#pragma once

#include "taskmanager/sampling/managedprocess.h"

#include <QList>

namespace Velmora {

// Holds the selected process at a fixed row while the list re-sorts around
// it, so the row the user is looking at does not jump away each second.
struct ProcessRowPin
{
    qint32 id = 0;
    quint64 started = 0;
    qsizetype index = 0;

    bool isPinned(const ManagedProcess &process) const { return process.id == id && process.started == started; }
    // The list with the pinned process moved to `index` (or to the end when
    // the list got shorter); unchanged when the process is not in it.
    QList<ManagedProcess> applying(QList<ManagedProcess> processes) const;

    friend bool operator==(const ProcessRowPin &, const ProcessRowPin &) = default;
};

} // namespace Velmora
