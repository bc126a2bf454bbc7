#pragma once

#include "taskmanager/sampling/bytecountformatter.h"
#include "taskmanager/sampling/processnetworkreader.h"
#include "taskmanager/sampling/serialqueue.h"
#include "taskmanager/sampling/systemsample.h"

#include <QObject>

#include <functional>
#include <memory>
#include <mutex>
#include <optional>

namespace Velmora {

class Clock;
class ProcessSignaller;
class Scheduler;
class SystemSampler;
class SystemStatistics;

// The one object through which the Task Manager sees the machine. It
// measures once a second for the whole run, keeping the last minute of
// history; while the Task Manager shows processes it also measures every
// process and publishes each result. Measurements run on a queue of their
// own and are applied here, on the main thread. While nothing is shown the
// queue keeps the pace and the results itself, so the main thread sleeps
// through the seconds; showing takes them over.
class SystemMonitor : public QObject
{
    Q_OBJECT
public:
    struct Environment
    {
        const Clock *clock = nullptr;
        Scheduler *scheduler = nullptr;
        SystemStatistics *statistics = nullptr;
        ProcessSignaller *signaller = nullptr;
        // A fresh sampler for each start().
        std::function<std::unique_ptr<SystemSampler>()> makeSampler;
        // Keeps the pace while nothing is shown; its jobs may run on any
        // thread. Absent: the monitor's own queue keeps it.
        Scheduler *hiddenScheduler = nullptr;
    };

    static constexpr int historyLength = 61;
    static constexpr qint64 intervalMs = 1000;
    static constexpr qint64 toleranceMs = 200;

    explicit SystemMonitor(Environment environment, QObject *parent = nullptr);
    // Waits for a measurement under way; nothing is applied after this.
    ~SystemMonitor() override;

    // A sampler factory over the real pieces; the network tool runs under
    // `terminals` with `command`.
    static std::function<std::unique_ptr<SystemSampler>()> samplerFactory(SystemStatistics &statistics,
        const Clock &clock, PseudoTerminalLauncher &terminals, ProcessNetworkReader::Command command);

    void start();
    void setProcessesVisible(bool visible);
    // Asks the process to end (SIGTERM) or kills it (force, SIGKILL). What
    // went wrong is left in error().
    void terminate(const ManagedProcess &process, bool force);

    const SystemSample &sample() const { return m_sample; }
    const QList<SystemSample> &history() const { return m_history; }
    const std::optional<QString> &error() const { return m_error; }
    // The view clears the message when its alert goes.
    void setError(const std::optional<QString> &error);
    bool includesProcesses() const { return m_includesProcesses; }
    // A finished measurement kept while nothing is shown counts as done.
    bool isMeasuring() const;

    static const ByteCountFormatter &memoryFormatter();
    static const ByteCountFormatter &rateFormatter();
    // "—" for an absent rate, else e.g. "1.5 MB/s".
    static QString rateText(std::optional<double> bytesPerSecond);

signals:
    void sampleChanged();
    void historyChanged();
    void errorChanged();

private:
    struct Result
    {
        quint64 generation = 0;
        SystemSample sample;
    };

    void refresh();
    // Called off the main thread while nothing is shown.
    void hiddenTick(quint64 generation, const std::shared_ptr<SystemSampler> &sampler);
    void measure(quint64 generation, std::shared_ptr<SystemSampler> sampler, bool includeProcesses);
    // Called on the queue: a result nobody is shown is kept there instead of
    // waking the main thread every second.
    void deliver(quint64 generation, SystemSample sample);
    void applyKeptResults();
    void keepPace();
    void setWorkerPublishes(bool publishes);
    void apply(quint64 generation, SystemSample sample);
    void publishHistory();

    Environment m_env;
    bool m_includesProcesses = false;
    SystemSample m_sample;
    QList<SystemSample> m_history;
    QList<SystemSample> m_buffer;
    std::optional<QString> m_error;
    bool m_started = false;
    // The pace: on the main thread while shown, off it while hidden.
    std::optional<quint64> m_timer;
    std::optional<quint64> m_hiddenTimer;
    quint64 m_generation = 0;
    std::shared_ptr<SystemSampler> m_sampler;
    // Shared with the queue: whether a measurement is under way, whether
    // results go to the main thread at once, and those kept when they do not
    // (no more than the history holds).
    mutable std::mutex m_handOffMutex;
    bool m_sampling = false;
    bool m_workerPublishes = false;
    QList<Result> m_keptResults;
    SerialQueue m_queue;
};

} // namespace Velmora
