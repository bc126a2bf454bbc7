#pragma once

#include "taskmanager/model/metriccard.h"
#include "taskmanager/model/processactionsviewmodel.h"
#include "taskmanager/model/processlistviewmodel.h"
#include "viewmodel/viewmodel.h"

#include <optional>

namespace Velmora {

class Clock;
class FileIcons;
class ProcessSignaller;
class Scheduler;
class SystemMonitor;
class SystemStatistics;
class Workspace;

// Everything the Task Manager window shows and remembers, without a widget:
// the metric cards, the hovered card and the open graph, the process list
// and the process actions. It follows the monitor and gathers its
// notifications into one update per turn of the event loop.
class TaskManagerViewModel : public ViewModel
{
    Q_OBJECT
public:
    // What changed, for `ViewModel::changed`.
    enum Change : Changes {
        SampleChange = 1u << 0,
    };

    // Everything but the scheduler may be left out: a view-model without a
    // monitor shows an empty sample, without a clock it takes the sample's time.
    struct Environment
    {
        // Runs the batched update on the next turn.
        Scheduler &scheduler;
        SystemMonitor *monitor = nullptr;
        SystemStatistics *statistics = nullptr;
        ProcessSignaller *signaller = nullptr; // who we are: what may be ended
        // Opens the web search and the file manager.
        Workspace *workspace = nullptr;
        FileIcons *icons = nullptr;
        // The running applications of this machine, for process icons; may be null.
        Workspace *runningApplications = nullptr;
        const Clock *clock = nullptr;
    };

    explicit TaskManagerViewModel(Environment environment, QObject *parent = nullptr);
    ~TaskManagerViewModel() override;

    const Environment &environment() const { return m_env; }
    ProcessListViewModel &processList() { return m_list; }
    ProcessActionsViewModel &actions() { return m_actions; }

    const SystemSample &sample() const;
    const QList<SystemSample> &history() const;
    const QList<MetricCard> &cards() const { return m_cards; }
    // Wall-clock time, for a graph that has no samples yet.
    qint64 nowMs() const;

    const std::optional<QString> &hoveredMetric() const { return m_hoveredMetric; }
    // Entering a card hovers it; leaving clears only the card still hovered.
    void setMetricHovered(const QString &title, bool hovered);
    const std::optional<MetricDetail> &expandedMetric() const { return m_expandedMetric; }
    // A click on a card: the selection and the hover go, the graph opens.
    void openMetric(const MetricDetail &metric);
    void closeMetric();

    // A click on the window's empty background.
    void backgroundTapped();
    void windowWillClose();

signals:
    // Once per turn of the event loop at most, after a new sample.
    void sampleApplied();
    void hoveredMetricChanged();
    void expandedMetricChanged();

protected:
    void refresh(Changes changes) override;

private:
    void applySample();
    void followSelection();

    Environment m_env;
    quint64 m_physicalMemory = 0;
    ProcessListViewModel m_list;
    ProcessActionsViewModel m_actions;
    QList<MetricCard> m_cards;
    std::optional<QString> m_hoveredMetric;
    std::optional<MetricDetail> m_expandedMetric;
};

} // namespace Velmora
