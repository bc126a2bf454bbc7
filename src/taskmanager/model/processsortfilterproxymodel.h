#pragma once

#include "taskmanager/model/processrowpin.h"
#include "taskmanager/model/processsort.h"

#include <QHash>
#include <QSortFilterProxyModel>

#include <optional>

namespace Velmora {

class ProcessTableModel;

// The process list as shown: the processes that match the search, in the
// chosen order, with the selected process held at its row when pinned.
//
// It re-sorts only when told (refresh()), once per sample or change of the
// list state, not on every row that changed.
class ProcessSortFilterProxyModel : public QSortFilterProxyModel
{
    Q_OBJECT
public:
    explicit ProcessSortFilterProxyModel(ProcessTableModel *source, QObject *parent = nullptr);

    void setSearch(const QString &search);
    void setOrder(ProcessSort sort, bool ascending);
    void setPin(const std::optional<ProcessRowPin> &pin);
    // Filters and sorts again after the source or the state changed.
    void refresh();

    const ManagedProcess &process(int proxyRow) const;
    QList<ManagedProcess> displayedProcesses() const;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;

private:
    void rankAroundPin();
    // Whether the rows shown are already those the search lets through, in
    // the wanted order.
    bool isCurrent() const;

    ProcessTableModel *m_source;
    QString m_search;
    ProcessSort m_sort = ProcessSort::Cpu;
    bool m_ascending = false;
    std::optional<ProcessRowPin> m_pin;
    // While a pin holds: each shown source row's place in the list.
    QHash<int, qsizetype> m_places;
};

} // namespace Velmora
