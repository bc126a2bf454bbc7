#include "taskmanager/sampling/processnetworklog.h"

#include <QLoggingCategory>

#include <benchmark/benchmark.h>

// The network tool's output arrives in pseudo-terminal reads of a few
// kilobytes. Reading it must cost time in proportion to what arrived, even
// when a line never ends.
static void BM_ConsumeOutputWithoutLineEnds(benchmark::State &state)
{
    QLoggingCategory::setFilterRules(QStringLiteral("velmora.network.warning=false"));
    const QByteArray chunk(4096, 'x');
    const qint64 chunks = state.range(0) * 1024 * 1024 / chunk.size();
    for (auto _ : state) {
        Velmora::ProcessNetworkLog log;
        for (qint64 i = 0; i < chunks; ++i)
            log.consume(chunk, 1.0);
    }
    state.SetBytesProcessed(state.iterations() * chunks * chunk.size());
}
BENCHMARK(BM_ConsumeOutputWithoutLineEnds)->Arg(1)->Arg(16)->Unit(benchmark::kMillisecond);

static void BM_ConsumeOneSecondOfRows(benchmark::State &state)
{
    QByteArray second = ",bytes_in,bytes_out,\n";
    for (int pid = 1; pid <= state.range(0); ++pid)
        second += "Some Process." + QByteArray::number(pid) + ",123456,7890,\n";
    Velmora::ProcessNetworkLog log;
    double now = 0;
    for (auto _ : state)
        log.consume(second, now += 1.0);
    state.SetBytesProcessed(state.iterations() * second.size());
}
BENCHMARK(BM_ConsumeOneSecondOfRows)->Arg(300);

BENCHMARK_MAIN();
