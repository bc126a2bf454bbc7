#include "taskmanager/sampling/systemmonitor.h"

#include "platform/clock.h"
#include "platform/processsignaller.h"
#include "platform/scheduler.h"
#include "platform/systemstatistics.h"
#include "taskmanager/sampling/systemsampler.h"
#include "taskmanager/sampling/taskmanagertexts.h"

#include <csignal>
#include <limits>

namespace Velmora {

SystemMonitor::SystemMonitor(Environment environment, QObject *parent)
    : QObject(parent)
    , m_env(std::move(environment))
    , m_queue(TaskManagerText::monitorQueue, SerialQueue::Priority::Background)
{
    m_sample.timestamp = m_env.clock->wallClockMs();
}

SystemMonitor::~SystemMonitor()
{
    m_queue.shutdown();
}

std::function<std::unique_ptr<SystemSampler>()> SystemMonitor::samplerFactory(SystemStatistics &statistics,
    const Clock &clock, PseudoTerminalLauncher &terminals, ProcessNetworkReader::Command command)
{
    return [&statistics, &clock, &terminals, command] {
        return std::make_unique<SystemSampler>(
            statistics, clock, std::make_unique<ProcessNetworkReader>(terminals, clock, command));
    };
}

void SystemMonitor::start()
{
    if (m_started)
        return;
    m_started = true;
    ++m_generation;
    m_sampler = m_env.makeSampler();
    refresh();
    keepPace();
}

void SystemMonitor::keepPace()
{
    if (!m_started)
        return;
    // One timer at a time: while shown the main thread ticks, as each result
    // goes there anyway; while hidden the queue ticks and keeps its results.
    if (m_includesProcesses) {
        if (m_hiddenTimer) {
            if (m_env.hiddenScheduler)
                m_env.hiddenScheduler->cancel(*m_hiddenTimer);
            else
                m_queue.cancelRepeating(*m_hiddenTimer);
            m_hiddenTimer.reset();
        }
        if (!m_timer)
            m_timer = m_env.scheduler->scheduleRepeating(intervalMs, toleranceMs, this, [this] { refresh(); });
        return;
    }
    if (m_timer) {
        m_env.scheduler->cancel(*m_timer);
        m_timer.reset();
    }
    if (m_hiddenTimer)
        return;
    // The tick runs off the main thread: it takes its own copies of what it
    // reads.
    auto tick = [this, generation = m_generation, sampler = m_sampler] { hiddenTick(generation, sampler); };
    if (m_env.hiddenScheduler)
        m_hiddenTimer = m_env.hiddenScheduler->scheduleRepeating(intervalMs, toleranceMs, this, std::move(tick));
    else
        m_hiddenTimer = m_queue.postRepeating(intervalMs, toleranceMs, std::move(tick));
}

bool SystemMonitor::isMeasuring() const
{
    std::lock_guard lock(m_handOffMutex);
    return m_sampling;
}

void SystemMonitor::refresh()
{
    // Results kept while nothing was shown go in first, so the buffer keeps
    // its order and no tick is skipped for them.
    applyKeptResults();
    {
        // Ticks never queue up behind a slow measurement.
        std::lock_guard lock(m_handOffMutex);
        if (m_sampling)
            return;
        m_sampling = true;
    }
    measure(m_generation, m_sampler, m_includesProcesses);
}

void SystemMonitor::hiddenTick(quint64 generation, const std::shared_ptr<SystemSampler> &sampler)
{
    {
        std::lock_guard lock(m_handOffMutex);
        // Showing has handed the pace to the main thread, or a measurement
        // is still under way.
        if (m_workerPublishes || m_sampling)
            return;
        m_sampling = true;
    }
    // Measured where the tick runs, the queue's own thread: posting the
    // measurement to that queue would only add a round through its lock and
    // a system call to wake the thread that is already awake.
    deliver(generation, sampler->sample(false));
}

void SystemMonitor::measure(quint64 generation, std::shared_ptr<SystemSampler> sampler, bool includeProcesses)
{
    // The destructor joins the queue before `this` goes, and a result posted
    // to a monitor that is gone by then is discarded with it.
    m_queue.post([this, generation, includeProcesses, sampler] {
        deliver(generation, sampler->sample(includeProcesses));
    });
}

void SystemMonitor::deliver(quint64 generation, SystemSample sample)
{
    {
        // Decided under the lock that showing takes too: a result is either
        // kept here before the Task Manager takes the kept ones, or goes to
        // the main thread at once.
        std::lock_guard lock(m_handOffMutex);
        if (!m_workerPublishes) {
            m_sampling = false;
            // Older ones would leave the history anyway, and a network
            // revision only ever reaches a sample that stays in it.
            if (m_keptResults.size() >= historyLength)
                m_keptResults.remove(0, m_keptResults.size() - historyLength + 1);
            m_keptResults.append(Result { generation, std::move(sample) });
            return;
        }
    }
    QMetaObject::invokeMethod(
        this,
        [this, generation, sample = std::move(sample)]() mutable {
            {
                std::lock_guard lock(m_handOffMutex);
                m_sampling = false;
            }
            apply(generation, std::move(sample));
        },
        Qt::QueuedConnection);
}

void SystemMonitor::applyKeptResults()
{
    QList<Result> results;
    {
        std::lock_guard lock(m_handOffMutex);
        results.swap(m_keptResults);
    }
    for (Result &result : results)
        apply(result.generation, std::move(result.sample));
}

void SystemMonitor::setWorkerPublishes(bool publishes)
{
    std::lock_guard lock(m_handOffMutex);
    m_workerPublishes = publishes;
}

void SystemMonitor::apply(quint64 generation, SystemSample sample)
{
    if (generation != m_generation)
        return;
    if (sample.revisedNetwork) {
        for (auto it = m_buffer.rbegin(); it != m_buffer.rend(); ++it) {
            if (it->timestamp == sample.revisedNetwork->timestamp) {
                it->top.network = sample.revisedNetwork->apps;
                break;
            }
        }
        sample.revisedNetwork.reset();
    }
    if (m_includesProcesses) {
        m_sample = sample;
        emit sampleChanged();
    }
    sample.processes.clear();
    if (m_buffer.size() >= historyLength)
        m_buffer.remove(0, m_buffer.size() - historyLength + 1);
    m_buffer.append(std::move(sample));
    if (m_includesProcesses)
        publishHistory();
}

void SystemMonitor::publishHistory()
{
    m_history = m_buffer;
    emit historyChanged();
}

void SystemMonitor::setProcessesVisible(bool visible)
{
    if (visible) {
        m_includesProcesses = true;
        setWorkerPublishes(true);
        applyKeptResults();
        start();
        keepPace();
        publishHistory();
        if (!m_buffer.isEmpty()) {
            m_sample = m_buffer.last();
            emit sampleChanged();
        }
        refresh();
        return;
    }
    m_includesProcesses = false;
    setWorkerPublishes(false);
    keepPace();
    m_sample.processes.clear();
    emit sampleChanged();
    if (m_sampler)
        m_sampler->networkReader().stop();
}

void SystemMonitor::setError(const std::optional<QString> &error)
{
    m_error = error;
    emit errorChanged();
}

void SystemMonitor::terminate(const ManagedProcess &process, bool force)
{
    ProcessSignaller &signaller = *m_env.signaller;
    if (process.id < 2 || process.id == signaller.currentProcessId() || process.uid != signaller.currentUserId()) {
        setError(TaskManagerText::protectedProcess);
        return;
    }
    const auto identity = m_env.statistics->identity(process.id);
    if (!identity || identity->hasExited || identity->started != process.started || identity->uid != process.uid) {
        setError(TaskManagerText::processExited);
        return;
    }
    // Kernel threads cannot be ended, and trying would only look like it worked.
    if (identity->isKernelThread) {
        setError(TaskManagerText::protectedProcess);
        return;
    }
    const auto result = signaller.send(process.id, process.started, process.uid, force ? SIGKILL : SIGTERM);
    switch (result.outcome) {
    case ProcessSignaller::Outcome::Delivered:
        break; // the process leaves the list with a later measurement
    case ProcessSignaller::Outcome::NoSuchProcess:
        setError(TaskManagerText::processExited);
        break;
    case ProcessSignaller::Outcome::Failed:
        setError(TaskManagerText::couldNotEnd(process.name, qt_error_string(result.error)));
        break;
    }
}

const ByteCountFormatter &SystemMonitor::memoryFormatter()
{
    static const ByteCountFormatter formatter(ByteCountFormatter::CountStyle::Memory);
    return formatter;
}

const ByteCountFormatter &SystemMonitor::rateFormatter()
{
    static const ByteCountFormatter formatter(ByteCountFormatter::CountStyle::Decimal);
    return formatter;
}

QString SystemMonitor::rateText(std::optional<double> bytesPerSecond)
{
    if (!bytesPerSecond)
        return TaskManagerText::absentValue;
    const double value = *bytesPerSecond;
    quint64 bytes = 0;
    if (value >= 18446744073709549568.0) // the largest double below 2^64
        bytes = std::numeric_limits<quint64>::max();
    else if (value > 0) // also leaves not-a-number at 0
        bytes = quint64(value);
    return rateFormatter().string(bytes) + TaskManagerText::perSecond;
}

} // namespace Velmora
