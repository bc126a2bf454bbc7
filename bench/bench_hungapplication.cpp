#include "../tests/bar/barfakes.h"
#include "../tests/store/storeworld.h"
#include "bar/applicationpopoverservices.h"
#include "bar/model/animator.h"
#include "bar/model/appmenumodel.h"
#include "bar/storebaractions.h"
#include "bar/taskbartooltipcontroller.h"

#include "qtwidgetsbenchmarkmain.h"

#include <benchmark/benchmark.h>

#include <QElapsedTimer>

#include <functional>

using namespace Velmora;

namespace {

// An editor with two windows that has stopped answering, and nothing known
// of its windows. Time spent waiting on it is the simulated desktop's: the
// virtual clock moves by what a blocked caller would wait.
struct HungEditor : Test::StoreWorld
{
    qint32 editor = addAppWithTwoWindows("Editor");
    std::unique_ptr<TaskbarStore> store = make(false);

    HungEditor() { desktop.setHung(editor, true); }

    // Forgets the editor's windows, as before its first press.
    void forget()
    {
        background.runAll();
        store->windowPicker().dismissWindowPicker();
        store->windowPreviewCache().remove(editor);
    }
};

// The main thread's share of `path` with nothing cached: its own time plus
// the time it waited on the hung editor.
void measure(benchmark::State &state, HungEditor &world, const std::function<void()> &path)
{
    double waitedMs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        world.forget();
        state.ResumeTiming();
        QElapsedTimer own;
        own.start();
        const qint64 before = world.clock.monotonicMs();
        path();
        const qint64 waited = world.clock.monotonicMs() - before;
        state.SetIterationTime(double(own.nsecsElapsed()) / 1e9 + double(waited) / 1e3);
        waitedMs += double(waited);
    }
    state.counters["waited_ms"] = benchmark::Counter(waitedMs, benchmark::Counter::kAvgIterations);
}

} // namespace

// A press on the editor's button and the click of its release.
static void BM_PressAndClickOnAHungApplication(benchmark::State &state)
{
    HungEditor world;
    const AppItem editor = Test::StoreWorld::appItem("Editor");
    measure(state, world, [&] {
        world.store->windowPicker().prepareWindowPicker(editor, 1);
        world.store->handleTaskbarClick(editor, 1);
    });
}
BENCHMARK(BM_PressAndClickOnAHungApplication)->UseManualTime()->Unit(benchmark::kMillisecond);

// The context menu of the editor's button, with its list of windows.
static void BM_AppMenuOfAHungApplication(benchmark::State &state)
{
    HungEditor world;
    Test::RecordingBarActions actions;
    const AppItem editor = Test::StoreWorld::appItem("Editor");
    measure(state, world, [&] {
        AppMenuModel menu(*world.store, actions, editor, 1);
        benchmark::DoNotOptimize(menu.entries().size());
    });
}
BENCHMARK(BM_AppMenuOfAHungApplication)->UseManualTime()->Unit(benchmark::kMillisecond);

// "Show All Windows" from that menu, without the Dock's help.
static void BM_ShowAllWindowsOfAHungApplication(benchmark::State &state)
{
    HungEditor world;
    Animator animator(world.clock, world.clock);
    ApplicationPopoverServices popovers(world.clock, world.clock, animator, world.displays, world.eventTaps);
    TaskbarTooltipController tooltip(world.clock, world.displays);
    StoreBarActions actions(
        *world.store, { world.platform.distributedNotifications, popovers.dismissingClick(), tooltip });
    const AppItem editor = Test::StoreWorld::appItem("Editor");
    const RunningApplication application = world.app(world.editor);
    measure(state, world, [&] { actions.showAllWindows(editor, application, 1); });
}
BENCHMARK(BM_ShowAllWindowsOfAHungApplication)->UseManualTime()->Unit(benchmark::kMillisecond);

VELMORA_QT_WIDGETS_BENCHMARK_MAIN();
