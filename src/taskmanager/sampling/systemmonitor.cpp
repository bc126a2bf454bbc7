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
    if (m_timer)
        return;
    ++m_generation;
    m_sampler = m_env.makeSampler();
    refresh();
    m_timer = m_env.scheduler->scheduleRepeating(intervalMs, toleranceMs, this, [this] { refresh(); });
}

bool SystemMonitor::isMeasuring() const
{
    if (!m_sampling)
        return false;
    std::lock_guard lock(m_handOffMutex);
    return !m_waitingResult;
}

void SystemMonitor::refresh()
{
    // The last measurement, if it finished while nothing was shown, goes in
    // first, so the buffer keeps its order and no tick is skipped for it.
    applyWaitingResult();
    // Ticks never queue up behind a slow measurement.
    if (m_sampling)
        return;
    m_sampling = true;
    const quint64 generation = m_generation;
    const bool includeProcesses = m_includesProcesses;
    std::shared_ptr<SystemSampler> sampler = m_sampler;
    // The destructor joins the queue before `this` goes, and a result posted
    // to a monitor that is gone by then is discarded with it.
    m_queue.post([this, generation, includeProcesses, sampler] {
        deliver(generation, sampler->sample(includeProcesses));
    });
}

void SystemMonitor::deliver(quint64 generation, SystemSample sample)
{
    {
        // Decided under the lock that showing takes too: a result either
        // waits here before the Task Manager takes the waiting one, or goes
        // to the main thread at once.
        std::lock_guard lock(m_handOffMutex);
        if (!m_workerPublishes) {
            m_waitingResult = Result { generation, std::move(sample) };
            return;
        }
    }
    QMetaObject::invokeMethod(
        this, [this, generation, sample = std::move(sample)]() mutable { apply(generation, std::move(sample)); },
        Qt::QueuedConnection);
}

void SystemMonitor::applyWaitingResult()
{
    std::optional<Result> result;
    {
        std::lock_guard lock(m_handOffMutex);
        result.swap(m_waitingResult);
    }
    if (result)
        apply(result->generation, std::move(result->sample));
}

void SystemMonitor::setWorkerPublishes(bool publishes)
{
    std::lock_guard lock(m_handOffMutex);
    m_workerPublishes = publishes;
}

void SystemMonitor::apply(quint64 generation, SystemSample sample)
{
    m_sampling = false;
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
        applyWaitingResult();
        start();
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
