#include "../tests/store/clicksworld.h"
#include "platform/sim/simoperations.h"

#include "qtbenchmarkmain.h"

#include <benchmark/benchmark.h>

using namespace Velmora;

namespace {

// An editor with two windows among the windows of a few other applications,
// its windows already known to the store, as after the pointer rested on its
// button.
struct EditorOnTheBar : Test::ClicksWorld
{
    qint32 editor = 0;
    std::unique_ptr<TaskbarStore> store;

    EditorOnTheBar()
    {
        for (int other = 0; other < 5; ++other) {
            const qint32 pid = addApp(QStringLiteral("Other%1").arg(other));
            for (int i = 0; i < 4; ++i)
                addWindow(pid, QRectF(40 * i, 30 * other, 700, 500), QStringLiteral("Other %1").arg(i));
        }
        editor = addApp("Editor");
        addWindow(editor, QRectF(100, 100, 600, 400), "First");
        addWindow(editor, QRectF(800, 100, 600, 400), "Second");
        store = makeStore();
        store->windowPreviewCache().cachedOrFetchedWindowPreviews(app(editor));
        settle();
    }

    // Calls made to other applications (accessibility), which a click on the
    // main thread must not wait for.
    qsizetype callsToApplications() const
    {
        qsizetype calls = 0;
        for (const Sim::SimRequest &request : desktop.requests()) {
            if (request.operation.startsWith(QLatin1String("copy")) && request.operation != Sim::SimOperations::CopyWindowInfo)
                ++calls;
            else if (request.operation == Sim::SimOperations::SetAttributeValue
                || request.operation == Sim::SimOperations::PerformAction
                || request.operation == Sim::SimOperations::SetMessagingTimeout)
                ++calls;
        }
        return calls;
    }
};

} // namespace

// A click on the editor's button up to the presented picker, then the click
// that closes it again: the main thread's whole share of both.
static void BM_ClickToPresentedPicker(benchmark::State &state)
{
    EditorOnTheBar world;
    const AppItem editor = Test::StoreWorld::appItem("Editor");
    WindowPicker &picker = world.store->windowPicker();
    world.desktop.clearRequests();
    for (auto _ : state) {
        world.store->handleTaskbarClick(editor, 1);
        if (!picker.windowPickerAppID()) {
            state.SkipWithError("the click did not present the picker");
            break;
        }
        world.store->handleTaskbarClick(editor, 1);
    }
    if (world.callsToApplications() != 0)
        state.SkipWithError("the click waited on another application");
}
BENCHMARK(BM_ClickToPresentedPicker)->Unit(benchmark::kMicrosecond);

VELMORA_QT_BENCHMARK_MAIN();
