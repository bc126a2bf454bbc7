#include "taskmanager/model/processtablemodel.h"

#include "taskmanager/model/processsort.h"
#include "taskmanager/model/taskmanagerviewtexts.h"
#include "taskmanager/sampling/systemmonitor.h"
#include "taskmanager/sampling/taskmanagertexts.h"

#include <QSet>

#include <limits>

namespace Velmora {

void ProcessTableModel::setProcesses(const QList<ManagedProcess> &processes)
{
    QHash<qint32, qsizetype> incoming;
    incoming.reserve(processes.size());
    for (qsizetype i = 0; i < processes.size(); ++i)
        incoming.insert(processes[i].id, i);

    // Rows of processes that are gone, removed in runs from the end so the
    // row numbers still to be visited stay valid.
    for (int end = int(m_rows.size()) - 1; end >= 0;) {
        if (incoming.contains(m_rows[end].id)) {
            --end;
            continue;
        }
        int start = end;
        while (start > 0 && !incoming.contains(m_rows[start - 1].id))
            --start;
        beginRemoveRows({}, start, end);
        m_rows.remove(start, end - start + 1);
        endRemoveRows();
        end = start - 1;
    }

    // Each changed row on its own: a range from the first to the last would
    // take in every row between them, and a view repaints all it shows.
    QSet<qint32> present;
    present.reserve(m_rows.size());
    for (int row = 0; row < m_rows.size(); ++row) {
        const ManagedProcess &now = processes[incoming.value(m_rows[row].id)];
        present.insert(now.id);
        if (m_rows[row] == now)
            continue;
        m_rows[row] = now;
        emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
    }

    QList<ManagedProcess> added;
    for (const ManagedProcess &process : processes) {
        if (!present.contains(process.id))
            added.append(process);
    }
    if (!added.isEmpty()) {
        beginInsertRows({}, int(m_rows.size()), int(m_rows.size() + added.size() - 1));
        m_rows.append(added);
        endInsertRows();
    }

    m_rowOfPid.clear();
    for (int row = 0; row < m_rows.size(); ++row)
        m_rowOfPid.insert(m_rows[row].id, row);
}

int ProcessTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ProcessTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ProcessTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const ManagedProcess &process = m_rows[index.row()];
    if (role == Qt::AccessibleTextRole)
        return accessibleText(process);
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case NameColumn:
        return process.name;
    case PidColumn:
        return QString::number(process.id);
    case UserColumn:
        return process.owner;
    case CpuColumn:
        return cpuText(process);
    case MemoryColumn:
        return memoryText(process);
    default:
        return {};
    }
}

QVariant ProcessTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const ProcessSort columns[]
        = { ProcessSort::Name, ProcessSort::Pid, ProcessSort::Owner, ProcessSort::Cpu, ProcessSort::Memory };
    if (section < 0 || section >= ColumnCount)
        return {};
    return ProcessSorting::title(columns[section]);
}

QString ProcessTableModel::cpuText(const ManagedProcess &process)
{
    if (!process.cpu)
        return TaskManagerText::absentValue;
    return QString::asprintf("%.1f%%", *process.cpu);
}

QString ProcessTableModel::memoryText(const ManagedProcess &process)
{
    if (!process.memory)
        return TaskManagerText::absentValue;
    const quint64 bytes = std::min<quint64>(*process.memory, quint64(std::numeric_limits<qint64>::max()));
    return SystemMonitor::memoryFormatter().string(bytes);
}

QString ProcessTableModel::accessibleText(const ManagedProcess &process)
{
    return process.name + QStringLiteral(", PID ") + QString::number(process.id) + QStringLiteral(", CPU ")
        + cpuText(process) + QStringLiteral(", memory ")
        + (process.memory ? memoryText(process) : TaskManagerViewText::memoryUnavailable);
}

} // namespace Velmora
