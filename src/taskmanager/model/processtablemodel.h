#pragma once

#include "taskmanager/sampling/managedprocess.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QList>

namespace Velmora {

// Every process of the latest sample, one row each, in no particular order:
// the sort and filter proxy above it decides what is shown where. A new
// sample changes only the rows that changed, so views keep their state.
class ProcessTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column {
        NameColumn,
        PidColumn,
        UserColumn,
        CpuColumn,
        MemoryColumn,
        ColumnCount,
    };

    using QAbstractTableModel::QAbstractTableModel;

    // Rows are keyed by process id: a process that is gone loses its row, a
    // new one gets a row at the end, and a row whose values changed reports
    // a data change.
    void setProcesses(const QList<ManagedProcess> &processes);
    const ManagedProcess &process(int row) const { return m_rows.at(row); }
    const QList<ManagedProcess> &processes() const { return m_rows; }
    // The row of the process with this id, or -1.
    int rowOf(qint32 pid) const { return m_rowOfPid.value(pid, -1); }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // "—" without a value, else e.g. "12.3%".
    static QString cpuText(const ManagedProcess &process);
    // "—" without a footprint, else e.g. "1.5 MB".
    static QString memoryText(const ManagedProcess &process);
    // What assistive technologies read for a row.
    static QString accessibleText(const ManagedProcess &process);

private:
    QList<ManagedProcess> m_rows;
    QHash<qint32, int> m_rowOfPid;
};

} // namespace Velmora
