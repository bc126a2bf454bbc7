#include "platform/sim/virtualclock.h"

#include <benchmark/benchmark.h>

// The virtual clock drives every timing test; keep advancing through a busy
// schedule cheap.
static void BM_AdvanceThroughRepeatingJobs(benchmark::State &state)
{
    Velmora::Sim::VirtualClock clock;
    int runs = 0;
    for (int i = 0; i < state.range(0); ++i)
        clock.scheduleRepeating(10 + i, 0, nullptr, [&runs] { ++runs; });
    for (auto _ : state)
        clock.advance(100);
    benchmark::DoNotOptimize(runs);
}
BENCHMARK(BM_AdvanceThroughRepeatingJobs)->Arg(10)->Arg(100);

BENCHMARK_MAIN();
