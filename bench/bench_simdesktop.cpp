#include "platform/axnames.h"
#include "platform/sim/simplatform.h"
#include "platform/sim/virtualclock.h"

#include <benchmark/benchmark.h>

using namespace Velmora;
using namespace Velmora::Sim;

namespace {

// `windows` windows spread over ten applications.
void populate(SimDesktop &desktop, int windows, QList<qint32> &pids)
{
    for (int a = 0; a < 10; ++a) {
        SimProcess process;
        process.name = QStringLiteral("App %1").arg(a);
        pids.append(desktop.addProcess(process));
    }
    for (int i = 0; i < windows; ++i) {
        SimWindow window;
        window.ownerPid = pids[i % pids.size()];
        window.title = QStringLiteral("Window %1").arg(i);
        window.bounds = QRectF(10 * (i % 50), 10 * (i % 40), 800, 600);
        desktop.addWindow(window);
    }
}

} // namespace

// Every listing of windows starts with the window server's list: it must
// grow linearly with the number of windows.
static void BM_WindowListAllWindows(benchmark::State &state)
{
    VirtualClock clock;
    SimPlatform platform(clock);
    QList<qint32> pids;
    populate(platform.desktop, int(state.range(0)), pids);
    for (auto _ : state)
        benchmark::DoNotOptimize(platform.windowList.copyWindowInfo(WindowList::AllExceptDesktop, 0));
    platform.desktop.clearRequests();
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_WindowListAllWindows)->RangeMultiplier(10)->Range(10, 1000)->Complexity();

// One application's windows through accessibility: "AXWindows", then the
// listing's batch of six attributes per window.
static void BM_AccessibilityWindowBatch(benchmark::State &state)
{
    VirtualClock clock;
    SimPlatform platform(clock);
    QList<qint32> pids;
    populate(platform.desktop, int(state.range(0)) * 10, pids);
    const QStringList batch{AXNames::Title, AXNames::Subrole, AXNames::Size,
                            AXNames::Main,  AXNames::Minimized, AXNames::CloseButton};
    const AXElement app = platform.accessibility.applicationElement(pids.first());
    for (auto _ : state) {
        const auto windows = platform.accessibility.copyAttributeValue(app, AXNames::Windows).value()->toElementList();
        for (const AXElement &window : *windows)
            benchmark::DoNotOptimize(platform.accessibility.copyMultipleAttributeValues(
                window, batch, Accessibility::BatchOptions::None));
        state.PauseTiming();
        platform.desktop.clearRequests();
        state.ResumeTiming();
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_AccessibilityWindowBatch)->RangeMultiplier(10)->Range(1, 100)->Complexity();

BENCHMARK_MAIN();
