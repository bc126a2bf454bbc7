#pragma once

#include "taskmanager/sampling/managedprocess.h"

#include <QList>
#include <QString>

#include <optional>

namespace Velmora {

// The process list's sort column. Its title is also its raw value.
enum class ProcessSort {
    Cpu,
    Memory,
    Name,
    Pid,
    Owner,
};

namespace ProcessSorting {

inline constexpr ProcessSort allCases[]
    = { ProcessSort::Cpu, ProcessSort::Memory, ProcessSort::Name, ProcessSort::Pid, ProcessSort::Owner };

QString title(ProcessSort sort);
std::optional<ProcessSort> fromTitle(const QString &title);
// Amounts start with the largest, names and numbers with the smallest.
bool defaultAscending(ProcessSort sort);

// Whether the process matches a search text, used as typed: its name, its
// id's digits or its owner contains it (names and owners ignoring case).
// An empty text matches everything.
bool matches(const ManagedProcess &process, const QString &search);
QList<ManagedProcess> filtered(const QList<ManagedProcess> &processes, const QString &search);

// Whether `a` comes before `b`. Equal keys (also names the locale counts as
// equal) fall back to the lower process id first in either direction, so
// this is a strict total order whatever the column.
bool lessThan(const ManagedProcess &a, const ManagedProcess &b, ProcessSort sort, bool ascending);
QList<ManagedProcess> sorted(QList<ManagedProcess> processes, ProcessSort sort, bool ascending);

} // namespace ProcessSorting

} // namespace Velmora
