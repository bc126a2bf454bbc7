#include "taskmanager/model/processsortfilterproxymodel.h"

#include "taskmanager/model/processtablemodel.h"

#include <algorithm>

namespace Velmora {

ProcessSortFilterProxyModel::ProcessSortFilterProxyModel(ProcessTableModel *source, QObject *parent)
    : QSortFilterProxyModel(parent)
    , m_source(source)
{
    setDynamicSortFilter(false);
    setSourceModel(source);
    // The direction lives in lessThan(): ties go to the lower id in both
    // directions, which a reversed ascending order would not keep.
    sort(0, Qt::AscendingOrder);
}

void ProcessSortFilterProxyModel::setSearch(const QString &search)
{
    m_search = search;
}

void ProcessSortFilterProxyModel::setOrder(ProcessSort sort, bool ascending)
{
    m_sort = sort;
    m_ascending = ascending;
}

void ProcessSortFilterProxyModel::setPin(const std::optional<ProcessRowPin> &pin)
{
    m_pin = pin;
}

void ProcessSortFilterProxyModel::refresh()
{
    rankAroundPin();
    // Most samples leave the order as it was; re-sorting then would make
    // the view lay out and repaint every row it shows.
    if (!isCurrent())
        invalidate();
}

bool ProcessSortFilterProxyModel::isCurrent() const
{
    QList<int> wanted;
    wanted.reserve(m_source->rowCount());
    for (int row = 0; row < m_source->rowCount(); ++row) {
        if (filterAcceptsRow(row, {}))
            wanted.append(row);
    }
    if (wanted.size() != rowCount())
        return false;
    std::stable_sort(wanted.begin(), wanted.end(),
        [this](int a, int b) { return lessThan(m_source->index(a, 0), m_source->index(b, 0)); });
    for (int row = 0; row < rowCount(); ++row) {
        if (mapToSource(index(row, 0)).row() != wanted[row])
            return false;
    }
    return true;
}

void ProcessSortFilterProxyModel::rankAroundPin()
{
    m_places.clear();
    if (!m_pin)
        return;
    const int pinnedRow = m_source->rowOf(m_pin->id);
    if (pinnedRow < 0 || !m_pin->isPinned(m_source->process(pinnedRow)) || !filterAcceptsRow(pinnedRow, {}))
        return;
    // The others in their usual order, with the pinned one put back at its
    // index (or last when the list got shorter).
    QList<int> others;
    for (int row = 0; row < m_source->rowCount(); ++row) {
        if (row != pinnedRow && filterAcceptsRow(row, {}))
            others.append(row);
    }
    std::sort(others.begin(), others.end(), [this](int a, int b) {
        return ProcessSorting::lessThan(m_source->process(a), m_source->process(b), m_sort, m_ascending);
    });
    others.insert(std::clamp<qsizetype>(m_pin->index, 0, others.size()), pinnedRow);
    m_places.reserve(others.size());
    for (qsizetype place = 0; place < others.size(); ++place)
        m_places.insert(others[place], place);
}

bool ProcessSortFilterProxyModel::filterAcceptsRow(int sourceRow, const QModelIndex &) const
{
    return ProcessSorting::matches(m_source->process(sourceRow), m_search);
}

bool ProcessSortFilterProxyModel::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    if (!m_places.isEmpty())
        return m_places.value(left.row()) < m_places.value(right.row());
    return ProcessSorting::lessThan(m_source->process(left.row()), m_source->process(right.row()), m_sort, m_ascending);
}

const ManagedProcess &ProcessSortFilterProxyModel::process(int proxyRow) const
{
    return m_source->process(mapToSource(index(proxyRow, 0)).row());
}

QList<ManagedProcess> ProcessSortFilterProxyModel::displayedProcesses() const
{
    QList<ManagedProcess> result;
    result.reserve(rowCount());
    for (int row = 0; row < rowCount(); ++row)
        result.append(process(row));
    return result;
}

} // namespace Velmora
