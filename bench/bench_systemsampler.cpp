#include "platform/clock.h"
#include "platform/linux/procstatistics.h"
#include "platform/linux/ptylauncher.h"
#include "taskmanager/sampling/processnetworkreader.h"
#include "taskmanager/sampling/systemsampler.h"

#include <benchmark/benchmark.h>

#include <QDateTime>
#include <QElapsedTimer>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

class SteadyClock final : public Velmora::Clock
{
public:
    SteadyClock() { m_timer.start(); }
    qint64 wallClockMs() const override { return QDateTime::currentMSecsSinceEpoch(); }
    qint64 monotonicMs() const override { return m_timer.elapsed(); }

private:
    QElapsedTimer m_timer;
};

} // namespace

// One full measurement of this machine with every process, as the Task
// Manager takes once a second while it is open. Identities are cached after
// the first measurement, so the loop measures the steady state.
static void BM_FullMeasurementWithProcesses(benchmark::State &state)
{
    SteadyClock clock;
    Velmora::Linux::ProcStatistics statistics;
    Velmora::Linux::PtyLauncher terminals;
    Velmora::SystemSampler sampler(statistics, clock,
        std::make_unique<Velmora::ProcessNetworkReader>(
            terminals, clock, Velmora::ProcessNetworkReader::Command::systemTool(::getpid())));
    qsizetype processes = sampler.sample(true).processes.size();
    for (auto _ : state) {
        const Velmora::SystemSample sample = sampler.sample(true);
        processes = sample.processes.size();
        benchmark::DoNotOptimize(sample.top);
    }
    state.counters["processes"] = double(processes);
}
BENCHMARK(BM_FullMeasurementWithProcesses)->Unit(benchmark::kMillisecond);

// What we measure ourselves against: one run of ps listing the same machine,
// its output written to /dev/null.
static void BM_PsListing(benchmark::State &state)
{
    char program[] = "/usr/bin/ps";
    char options[] = "-eo";
    char columns[] = "pid,ppid,pcpu,rss,comm";
    char *argv[] = { program, options, columns, nullptr };
    for (auto _ : state) {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        pid_t pid = -1;
        if (::posix_spawn(&pid, program, &actions, nullptr, argv, environ) != 0) {
            posix_spawn_file_actions_destroy(&actions);
            state.SkipWithError("ps could not be started");
            break;
        }
        posix_spawn_file_actions_destroy(&actions);
        int status = 0;
        ::waitpid(pid, &status, 0);
    }
}
BENCHMARK(BM_PsListing)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
