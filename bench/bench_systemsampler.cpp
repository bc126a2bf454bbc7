#include "platform/clock.h"
#include "platform/linux/pidfdsignaller.h"
#include "platform/linux/procstatistics.h"
#include "platform/linux/ptylauncher.h"
#include "platform/scheduler.h"
#include "qtbenchmarkmain.h"
#include "taskmanager/sampling/processnetworkreader.h"
#include "taskmanager/sampling/systemmonitor.h"
#include "taskmanager/sampling/systemsampler.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>

#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

using namespace Velmora;

namespace {

class SteadyClock final : public Clock
{
public:
    SteadyClock() { m_timer.start(); }
    qint64 wallClockMs() const override { return QDateTime::currentMSecsSinceEpoch(); }
    qint64 monotonicMs() const override { return m_timer.elapsed(); }

private:
    QElapsedTimer m_timer;
};

// Holds the monitor's one-second job so the benchmark fires it by hand.
class ManualScheduler final : public Scheduler
{
public:
    JobId scheduleOnce(qint64, QObject *, std::function<void()> job) override
    {
        m_once = std::move(job);
        return 1;
    }
    JobId scheduleRepeating(qint64, qint64, QObject *, std::function<void()> job) override
    {
        m_repeating = std::move(job);
        return 2;
    }
    void cancel(JobId) override { }
    bool isScheduled(JobId) const override { return true; }

    void fire() { m_repeating(); }

private:
    std::function<void()> m_once;
    std::function<void()> m_repeating;
};

double processCpuSeconds()
{
    timespec now {};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

int processCount()
{
    return int(QDir(QStringLiteral("/proc")).entryList({ QStringLiteral("[0-9]*") }, QDir::Dirs).size());
}

// Idle children that bring the machine up to `total` processes, ended
// when the benchmarks are done.
class ExtraProcesses
{
public:
    // Started once and kept, and only topped up for a larger total: a
    // benchmark runs many times to find its iteration count, and starting a
    // thousand processes each time would swamp what is measured.
    static void ensure(int total)
    {
        static ExtraProcesses running;
        running.topUp(total);
    }

    ~ExtraProcesses()
    {
        for (const pid_t pid : m_children)
            ::kill(pid, SIGKILL);
        for (const pid_t pid : m_children)
            ::waitpid(pid, nullptr, 0);
    }

private:
    void topUp(int total)
    {
        char program[] = "/bin/sleep";
        char seconds[] = "600";
        char *argv[] = { program, seconds, nullptr };
        for (int missing = total - processCount(); missing > 0; --missing) {
            pid_t pid = -1;
            if (::posix_spawn(&pid, program, nullptr, nullptr, argv, environ) != 0)
                break;
            m_children.push_back(pid);
        }
    }

private:
    std::vector<pid_t> m_children;
};

std::unique_ptr<SystemSampler> makeSampler(
    SystemStatistics &statistics, const Clock &clock, Linux::PtyLauncher &terminals)
{
    return std::make_unique<SystemSampler>(statistics, clock,
        std::make_unique<ProcessNetworkReader>(
            terminals, clock, ProcessNetworkReader::Command::systemTool(::getpid())));
}

// The process counts the measurement with processes is taken at: the cost
// of each process must not grow with their number.
constexpr int firstCount = 100;

} // namespace

// The tick the monitor runs once a second for the whole life of the app,
// window open or not: timer on the main thread, one measurement on the
// monitor's queue, the result applied back on the main thread. Measured as
// CPU time of every thread of the process, which is what the idle bar costs.
static void BM_MachineOnlyTick(benchmark::State &state)
{
    SteadyClock clock;
    ManualScheduler scheduler;
    Linux::ProcStatistics statistics;
    Linux::PidfdSignaller signaller(statistics);
    Linux::PtyLauncher terminals;
    SystemMonitor::Environment environment;
    environment.clock = &clock;
    environment.scheduler = &scheduler;
    environment.statistics = &statistics;
    environment.signaller = &signaller;
    environment.makeSampler = SystemMonitor::samplerFactory(
        statistics, clock, terminals, ProcessNetworkReader::Command::systemTool(::getpid()));
    SystemMonitor monitor(environment);

    const auto tick = [&] {
        scheduler.fire();
        while (monitor.isMeasuring())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    };
    monitor.start();
    while (monitor.isMeasuring())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    // The first two ticks fill the sampler's memory of the previous counters.
    tick();
    for (auto _ : state)
        tick();
}
BENCHMARK(BM_MachineOnlyTick)->MeasureProcessCPUTime()->Unit(benchmark::kMicrosecond);

// The measurement alone, on the calling thread.
static void BM_MachineOnlyMeasurement(benchmark::State &state)
{
    SteadyClock clock;
    Linux::ProcStatistics statistics;
    Linux::PtyLauncher terminals;
    auto sampler = makeSampler(statistics, clock, terminals);
    sampler->sample(false);
    sampler->sample(false);
    for (auto _ : state)
        benchmark::DoNotOptimize(sampler->sample(false));
}
BENCHMARK(BM_MachineOnlyMeasurement)->MeasureProcessCPUTime()->Unit(benchmark::kMicrosecond);

// The first measurements of a fresh sampler, as after each launch.
static void BM_FirstMachineOnlyMeasurements(benchmark::State &state)
{
    SteadyClock clock;
    Linux::PtyLauncher terminals;
    for (auto _ : state) {
        Linux::ProcStatistics statistics;
        auto sampler = makeSampler(statistics, clock, terminals);
        benchmark::DoNotOptimize(sampler->sample(false));
        benchmark::DoNotOptimize(sampler->sample(false));
    }
}
BENCHMARK(BM_FirstMachineOnlyMeasurements)->MeasureProcessCPUTime()->Unit(benchmark::kMicrosecond);

// One full measurement of this machine with every process, as the Task
// Manager takes once a second while it is open. Identities are cached after
// the first measurement, so the loop measures the steady state. The argument
// tops the machine up to that many processes with idle children (0: as it is);
// "us_per_process" is the CPU time of all threads per listed process, and
// "vs_first" its ratio to the first run's, so the growth with the count shows.
//
// A busy machine may already list more than the first count: run the
// benchmarks in a process namespace of their own for exact counts,
//   unshare --pid --fork --mount-proc bench/bench_systemsampler
static void BM_FullMeasurementWithProcesses(benchmark::State &state)
{
    static double firstPerProcess = 0;
    ExtraProcesses::ensure(int(state.range(0)));
    SteadyClock clock;
    Linux::ProcStatistics statistics;
    Linux::PtyLauncher terminals;
    auto sampler = makeSampler(statistics, clock, terminals);
    sampler->sample(true);
    qsizetype processes = sampler->sample(true).processes.size();
    qint64 listed = 0;
    const double cpuBefore = processCpuSeconds();
    for (auto _ : state) {
        const SystemSample sample = sampler->sample(true);
        processes = sample.processes.size();
        listed += processes;
        benchmark::DoNotOptimize(sample.top);
    }
    const double cpu = processCpuSeconds() - cpuBefore;
    const double perProcess = listed > 0 ? cpu * 1e6 / double(listed) : 0;
    if (firstPerProcess == 0 || state.range(0) == firstCount)
        firstPerProcess = perProcess;
    state.counters["processes"] = double(processes);
    state.counters["us_per_process"] = perProcess;
    state.counters["vs_first"] = firstPerProcess > 0 ? perProcess / firstPerProcess : 0;
}
BENCHMARK(BM_FullMeasurementWithProcesses)->Arg(firstCount)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

// What we measure ourselves against: one run of ps listing the same machine,
// its output written to /dev/null. "us_per_process" is the child's own CPU
// time (user and system) per process listed.
static void BM_PsListing(benchmark::State &state)
{
    ExtraProcesses::ensure(int(state.range(0)));
    char program[] = "/usr/bin/ps";
    char options[] = "-eo";
    char columns[] = "pid,ppid,pcpu,rss,comm";
    char *argv[] = { program, options, columns, nullptr };
    double childSeconds = 0;
    qint64 listed = 0;
    for (auto _ : state) {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        pid_t pid = -1;
        const int processes = processCount();
        if (::posix_spawn(&pid, program, &actions, nullptr, argv, environ) != 0) {
            posix_spawn_file_actions_destroy(&actions);
            state.SkipWithError("ps could not be started");
            break;
        }
        posix_spawn_file_actions_destroy(&actions);
        int status = 0;
        rusage usage {};
        ::wait4(pid, &status, 0, &usage);
        childSeconds += double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
            + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
        listed += processes;
    }
    state.counters["us_per_process"] = listed > 0 ? childSeconds * 1e6 / double(listed) : 0;
}
BENCHMARK(BM_PsListing)->Arg(firstCount)->Unit(benchmark::kMillisecond);
// The same two with the machine topped up to a thousand processes; last,
// because the idle children stay until the end.
BENCHMARK(BM_FullMeasurementWithProcesses)->Arg(1000)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PsListing)->Arg(1000)->Unit(benchmark::kMillisecond);

VELMORA_QT_BENCHMARK_MAIN();
