#include "taskmanager/model/processlistviewmodel.h"

#include "taskmanager/model/hovertracking.h"

#include <algorithm>

namespace Velmora {

ProcessListViewModel::ProcessListViewModel(qint32 ownPid, quint32 ownUid, QObject *parent)
    : QObject(parent)
    , m_ownPid(ownPid)
    , m_ownUid(ownUid)
{
}

void ProcessListViewModel::applySample(const SystemSample &sample)
{
    const bool isNew = sample.timestamp != m_timestamp;
    m_timestamp = sample.timestamp;
    m_current = sample.processes;
    if (isNew && m_selection && m_pin) {
        const ProcessRowPin pin = *m_pin;
        if (std::none_of(
                m_current.cbegin(), m_current.cend(), [&](const ManagedProcess &p) { return pin.isPinned(p); }))
            setSelection(std::nullopt, false);
    }
    m_table.setProcesses(m_current);
    relist();
}

void ProcessListViewModel::relist()
{
    m_proxy.setSearch(m_search);
    m_proxy.setOrder(m_sort, m_ascending);
    m_proxy.setPin(m_selection && m_pin ? m_pin : std::nullopt);
    m_proxy.refresh();
    emit listChanged();
}

void ProcessListViewModel::setSearch(const QString &search)
{
    if (search == m_search)
        return;
    m_search = search;
    setSelection(std::nullopt, false);
    relist();
    emit searchChanged();
}

void ProcessListViewModel::setSearchFocused(bool focused)
{
    if (focused == m_searchFocused)
        return;
    m_searchFocused = focused;
    emit searchFocusedChanged();
}

void ProcessListViewModel::clickColumn(ProcessSort column)
{
    setSelection(std::nullopt, false);
    if (column == m_sort) {
        m_ascending = !m_ascending;
    } else {
        m_sort = column;
        m_ascending = ProcessSorting::defaultAscending(column);
    }
    relist();
    emit sortChanged();
}

std::optional<ManagedProcess> ProcessListViewModel::selected() const
{
    if (!m_selection)
        return std::nullopt;
    const auto found = std::find_if(
        m_current.cbegin(), m_current.cend(), [this](const ManagedProcess &p) { return p.id == *m_selection; });
    if (found == m_current.cend())
        return std::nullopt;
    return *found;
}

bool ProcessListViewModel::isCurrent(const ManagedProcess &process) const
{
    return std::any_of(m_current.cbegin(), m_current.cend(),
        [&](const ManagedProcess &p) { return p.id == process.id && p.started == process.started; });
}

void ProcessListViewModel::selectProcess(const ManagedProcess &process, bool toggle)
{
    setSearchFocused(false);
    if (toggle && m_selection == process.id) {
        setSelection(std::nullopt);
        return;
    }
    if (!isCurrent(process))
        return;
    if (m_selection != process.id) {
        // Pin it where it is on screen now, so it stays under the pointer.
        const QList<ManagedProcess> shown = displayedProcesses();
        const auto found = std::find_if(shown.cbegin(), shown.cend(),
            [&](const ManagedProcess &p) { return p.id == process.id && p.started == process.started; });
        if (found != shown.cend())
            m_pin = ProcessRowPin { process.id, process.started, found - shown.cbegin() };
    }
    setSelection(process.id);
}

void ProcessListViewModel::clearSelection()
{
    setSelection(std::nullopt);
}

void ProcessListViewModel::backgroundTapped()
{
    setSelection(std::nullopt);
    setSearchFocused(false);
}

void ProcessListViewModel::setSelection(std::optional<qint32> selection, bool relistNow)
{
    // Without a selection there is nothing to hold in place.
    if (!selection)
        m_pin.reset();
    if (selection == m_selection)
        return;
    m_selection = selection;
    if (relistNow)
        relist();
    emit selectionChanged();
}

void ProcessListViewModel::setHovered(qint32 pid, bool hovered)
{
    if (updateHover(m_hovered, pid, hovered))
        emit hoveredProcessChanged();
}

bool ProcessListViewModel::canEnd(const ManagedProcess &process) const
{
    return process.id > 1 && process.id != m_ownPid && process.uid == m_ownUid && isCurrent(process);
}

void ProcessListViewModel::windowWillClose()
{
    setSearch(QString());
}

} // namespace Velmora
