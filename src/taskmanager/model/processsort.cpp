#include "taskmanager/model/processsort.h"

#include "taskmanager/model/taskmanagerviewtexts.h"
#include "taskmanager/sampling/codepointorder.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>

namespace Velmora::ProcessSorting {

namespace {

// The order of file names: case-insensitive, runs of digits by their value.
// A collator is not safe to share between threads; sorting happens on the
// main thread only.
const QCollator &nameCollator()
{
    static const QCollator collator = [] {
        // The C locale's collator compares code units only, ignoring case
        // and numbers; a neutral English collation keeps the file-name order.
        QLocale locale;
        if (locale.language() == QLocale::C)
            locale = QLocale(QLocale::English);
        QCollator c(locale);
        c.setNumericMode(true);
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return collator;
}

// -1, 0 or 1 as `a` sorts before, with or after `b` by the column alone.
int compareKeys(const ManagedProcess &a, const ManagedProcess &b, ProcessSort sort)
{
    switch (sort) {
    case ProcessSort::Cpu: {
        // A process without a value yet sorts as if it used less than nothing.
        const double x = a.cpu.value_or(-1);
        const double y = b.cpu.value_or(-1);
        return x < y ? -1 : (y < x ? 1 : 0);
    }
    case ProcessSort::Memory:
        if (a.memory == b.memory)
            return 0;
        return a.memory < b.memory ? -1 : 1; // an absent value is below every present one
    case ProcessSort::Name:
        if (a.name == b.name)
            return 0;
        return std::clamp(nameCollator().compare(a.name, b.name), -1, 1);
    case ProcessSort::Pid:
        return a.id < b.id ? -1 : (b.id < a.id ? 1 : 0);
    case ProcessSort::Owner:
        if (a.owner == b.owner)
            return 0;
        return codePointLess(a.owner, b.owner) ? -1 : 1;
    }
    return 0;
}

} // namespace

QString title(ProcessSort sort)
{
    switch (sort) {
    case ProcessSort::Cpu:
        return TaskManagerViewText::columnCpu;
    case ProcessSort::Memory:
        return TaskManagerViewText::columnMemory;
    case ProcessSort::Name:
        return TaskManagerViewText::columnName;
    case ProcessSort::Pid:
        return TaskManagerViewText::columnPid;
    case ProcessSort::Owner:
        return TaskManagerViewText::columnUser;
    }
    return {};
}

std::optional<ProcessSort> fromTitle(const QString &text)
{
    for (ProcessSort sort : allCases) {
        if (title(sort) == text)
            return sort;
    }
    return std::nullopt;
}

bool defaultAscending(ProcessSort sort)
{
    return sort != ProcessSort::Cpu && sort != ProcessSort::Memory;
}

bool matches(const ManagedProcess &process, const QString &search)
{
    if (search.isEmpty())
        return true;
    return process.name.contains(search, Qt::CaseInsensitive) || QString::number(process.id).contains(search)
        || process.owner.contains(search, Qt::CaseInsensitive);
}

QList<ManagedProcess> filtered(const QList<ManagedProcess> &processes, const QString &search)
{
    if (search.isEmpty())
        return processes;
    QList<ManagedProcess> result;
    std::copy_if(processes.cbegin(), processes.cend(), std::back_inserter(result),
        [&](const ManagedProcess &p) { return matches(p, search); });
    return result;
}

bool lessThan(const ManagedProcess &a, const ManagedProcess &b, ProcessSort sort, bool ascending)
{
    const int order = compareKeys(a, b, sort);
    if (order == 0)
        return a.id < b.id;
    return ascending ? order < 0 : order > 0;
}

QList<ManagedProcess> sorted(QList<ManagedProcess> processes, ProcessSort sort, bool ascending)
{
    std::stable_sort(processes.begin(), processes.end(),
        [&](const ManagedProcess &a, const ManagedProcess &b) { return lessThan(a, b, sort, ascending); });
    return processes;
}

} // namespace Velmora::ProcessSorting
