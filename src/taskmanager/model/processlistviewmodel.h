#pragma once

#include "taskmanager/model/processrowpin.h"
#include "taskmanager/model/processsort.h"
#include "taskmanager/model/processsortfilterproxymodel.h"
#include "taskmanager/model/processtablemodel.h"
#include "taskmanager/sampling/systemsample.h"

#include <QObject>

#include <optional>

namespace Velmora {

// The process list's state: search text, sort column and direction, the
// selected and hovered process and the pin that holds the selected row in
// place. Lives as long as the window; nothing is saved.
class ProcessListViewModel : public QObject
{
    Q_OBJECT
public:
    // `ownPid` and `ownUid` say which processes this application may end.
    ProcessListViewModel(qint32 ownPid, quint32 ownUid, QObject *parent = nullptr);

    // A new sample: a pinned selection whose process is gone goes away, and
    // the list shows the new processes.
    void applySample(const SystemSample &sample);

    // The list as shown: filtered, sorted and with the pin applied.
    ProcessSortFilterProxyModel *model() { return &m_proxy; }
    const ProcessSortFilterProxyModel *model() const { return &m_proxy; }
    QList<ManagedProcess> displayedProcesses() const { return m_proxy.displayedProcesses(); }
    int displayedCount() const { return m_proxy.rowCount(); }

    const QString &search() const { return m_search; }
    // A new text also drops the selection.
    void setSearch(const QString &search);
    bool isSearchFocused() const { return m_searchFocused; }
    void setSearchFocused(bool focused);

    ProcessSort sort() const { return m_sort; }
    bool ascending() const { return m_ascending; }
    // A click on a column header: the same column turns round, another one
    // starts in its own direction. Either way the selection goes.
    void clickColumn(ProcessSort column);

    std::optional<qint32> selection() const { return m_selection; }
    const std::optional<ProcessRowPin> &pinnedProcess() const { return m_pin; }
    // The selected process as in the latest sample (by id alone).
    std::optional<ManagedProcess> selected() const;
    // A click on a row (`toggle`) or a right-click (select only). A process
    // that ended or whose id was reused is not selected.
    void selectProcess(const ManagedProcess &process, bool toggle);
    void clearSelection();
    // A click on empty space: no selection and no focus in the search field.
    void backgroundTapped();

    std::optional<qint32> hoveredProcess() const { return m_hovered; }
    void setHovered(qint32 pid, bool hovered);

    // Whether the latest sample holds this same run of the process.
    bool isCurrent(const ManagedProcess &process) const;
    // Whether the row offers End Task and Force Quit.
    bool canEnd(const ManagedProcess &process) const;

    // The window closed: the next opening starts without a search.
    void windowWillClose();

signals:
    void listChanged();
    void searchChanged();
    void searchFocusedChanged();
    void sortChanged();
    void selectionChanged();
    void hoveredProcessChanged();

private:
    // The list is shown again at once unless the caller does that itself.
    void setSelection(std::optional<qint32> selection, bool relistNow = true);
    void relist();

    const qint32 m_ownPid;
    const quint32 m_ownUid;
    ProcessTableModel m_table;
    ProcessSortFilterProxyModel m_proxy { &m_table };
    QList<ManagedProcess> m_current;
    qint64 m_timestamp = 0;
    QString m_search;
    bool m_searchFocused = false;
    ProcessSort m_sort = ProcessSort::Cpu;
    bool m_ascending = false;
    std::optional<ProcessRowPin> m_pin;
    std::optional<qint32> m_selection;
    std::optional<qint32> m_hovered;
};

} // namespace Velmora
