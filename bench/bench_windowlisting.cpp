#include "platform/sim/simplatform.h"
#include "platform/sim/virtualclock.h"
#include "services/windowpreviewprovider.h"

#include "qtbenchmarkmain.h"

#include <benchmark/benchmark.h>


using namespace Velmora;

namespace {

// One application with `own` windows among `total` windows of twenty
// applications, on one display.
struct Desktop
{
    Sim::VirtualClock clock;
    Sim::SimPlatform platform{clock};
    Sim::SimDesktop &desktop = platform.desktop;
    RunningApplication application;

    Desktop(int own, int total, bool privateLookup)
    {
        desktop.setPrivateFunctionAvailable(PrivateFunctions::AXUIElementGetWindowName, privateLookup);
        DisplayInfo display;
        display.displayId = 1;
        display.bounds = QRectF(0, 0, 2560, 1440);
        desktop.setDisplays({display});

        QList<qint32> others;
        for (int i = 0; i < 19; ++i) {
            Sim::SimProcess p;
            p.name = QString("Other %1").arg(i);
            others << desktop.addProcess(p);
        }
        Sim::SimProcess mine;
        mine.name = "Editor";
        const qint32 pid = desktop.addProcess(mine);
        for (int i = 0; i < total; ++i) {
            Sim::SimWindow w;
            w.ownerPid = i < own ? pid : others[i % others.size()];
            // Distinct frames, so the frame match has one candidate per element.
            w.bounds = QRectF(10 * (i % 100), 8 * (i / 100), 400 + i % 7, 300 + i % 5);
            w.title = QString("Document %1").arg(i);
            desktop.addWindow(w);
        }
        application = desktop.runningApplication(*desktop.process(pid));
    }
};

void listing(benchmark::State &state, bool privateLookup)
{
    const int own = int(state.range(0));
    const int total = int(state.range(1));
    Desktop world(own, total, privateLookup);
    Sim::SimPlatform &p = world.platform;
    WindowPreviewProvider provider(p.accessibility, p.windowList, p.privateFunctions, p.displays, p.workspace,
                                   world.clock);
    for (auto _ : state) {
        const auto items = provider.windows(world.application);
        if (items.size() != own)
            state.SkipWithError("wrong listing");
        benchmark::DoNotOptimize(items);
        // The simulated desktop logs every request; keep the log from growing
        // into the measurement.
        state.PauseTiming();
        world.desktop.clearRequests();
        state.ResumeTiming();
    }
    state.SetComplexityN(total);
}

void BM_ListingWithWindowNumberLookup(benchmark::State &state)
{
    listing(state, true);
}

void BM_ListingWithFrameMatch(benchmark::State &state)
{
    listing(state, false);
}

} // namespace

BENCHMARK(BM_ListingWithWindowNumberLookup)->Args({50, 500})->Args({100, 1000})->Args({500, 5000})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ListingWithFrameMatch)->Args({50, 500})->Args({100, 1000})->Args({500, 5000})->Unit(benchmark::kMicrosecond);

VELMORA_QT_BENCHMARK_MAIN()
