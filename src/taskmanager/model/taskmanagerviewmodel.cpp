#include "taskmanager/model/taskmanagerviewmodel.h"

#include "platform/clock.h"
#include "platform/processsignaller.h"
#include "platform/systemstatistics.h"
#include "taskmanager/model/hovertracking.h"
#include "taskmanager/sampling/systemmonitor.h"

namespace Velmora {

namespace {

const SystemSample &emptySample()
{
    static const SystemSample sample;
    return sample;
}

const QList<SystemSample> &emptyHistory()
{
    static const QList<SystemSample> history;
    return history;
}

ProcessActionsViewModel::Environment actionsEnvironment(const TaskManagerViewModel::Environment &env)
{
    return { env.monitor, env.statistics, env.workspace, env.signaller ? env.signaller->currentProcessId() : 0,
        env.signaller ? env.signaller->currentUserId() : 0 };
}

} // namespace

TaskManagerViewModel::TaskManagerViewModel(Environment environment, QObject *parent)
    : ViewModel(environment.scheduler, parent)
    , m_env(environment)
    , m_list(m_env.signaller ? m_env.signaller->currentProcessId() : 0,
          m_env.signaller ? m_env.signaller->currentUserId() : 0)
    , m_actions(actionsEnvironment(m_env))
{
    // Physical memory does not change while we run.
    if (m_env.statistics) {
        if (const auto memory = m_env.statistics->memory())
            m_physicalMemory = memory->total;
    }
    // The monitor publishes a sample and its history one after the other;
    // both land in one update.
    if (m_env.monitor) {
        follow(m_env.monitor, &SystemMonitor::sampleChanged, SampleChange);
        follow(m_env.monitor, &SystemMonitor::historyChanged, SampleChange);
    }
    connect(&m_list, &ProcessListViewModel::selectionChanged, this, &TaskManagerViewModel::followSelection);
    applySample();
}

TaskManagerViewModel::~TaskManagerViewModel() = default;

const SystemSample &TaskManagerViewModel::sample() const
{
    return m_env.monitor ? m_env.monitor->sample() : emptySample();
}

const QList<SystemSample> &TaskManagerViewModel::history() const
{
    return m_env.monitor ? m_env.monitor->history() : emptyHistory();
}

qint64 TaskManagerViewModel::nowMs() const
{
    return m_env.clock ? m_env.clock->wallClockMs() : sample().timestamp;
}

void TaskManagerViewModel::refresh(Changes changes)
{
    if (changes & SampleChange)
        applySample();
}

void TaskManagerViewModel::applySample()
{
    m_list.applySample(sample());
    m_cards = MetricCard::build(sample(), history(), m_physicalMemory);
    followSelection();
    emit sampleApplied();
}

void TaskManagerViewModel::followSelection()
{
    m_actions.setFooterProcess(m_list.selected());
}

void TaskManagerViewModel::setMetricHovered(const QString &title, bool hovered)
{
    if (updateHover(m_hoveredMetric, title, hovered))
        emit hoveredMetricChanged();
}

void TaskManagerViewModel::openMetric(const MetricDetail &metric)
{
    m_list.clearSelection();
    if (m_hoveredMetric) {
        m_hoveredMetric.reset();
        emit hoveredMetricChanged();
    }
    m_expandedMetric = metric;
    emit expandedMetricChanged();
}

void TaskManagerViewModel::closeMetric()
{
    if (!m_expandedMetric)
        return;
    m_expandedMetric.reset();
    emit expandedMetricChanged();
}

void TaskManagerViewModel::backgroundTapped()
{
    m_list.backgroundTapped();
}

void TaskManagerViewModel::windowWillClose()
{
    m_list.windowWillClose();
}

} // namespace Velmora
