#include "../tests/store/storeworld.h"

#include <benchmark/benchmark.h>

using namespace Velmora;

namespace {

struct Desktop : Test::StoreWorld
{
    Test::FakeWorkspace fake;
    std::unique_ptr<TaskbarStore> store;
    int published = 0;

    explicit Desktop(int applications)
    {
        for (int i = 0; i < applications; ++i) {
            // Names out of order, so every refresh really sorts.
            const QString name = QStringLiteral("App %1").arg((i * 7919) % applications, 3, 10, QLatin1Char('0'));
            auto app = Test::runningApplication(1000 + i, QStringLiteral("org.bench.app%1").arg(i), name);
            app.bundlePath = QStringLiteral("/Applications/%1.app").arg(name);
            fake.applications.append(app);
        }
        storeWorkspace = &fake;
        store = make(true);
        QObject::connect(store.get(), &TaskbarStore::runningAppsChanged, [this] { ++published; });
        QObject::connect(store.get(), &TaskbarStore::isSettingsWindowOpenChanged, [this] { ++published; });
    }
};

} // namespace

// The refresh with nothing changed must publish nothing: views stay idle.
static void BM_RefreshRunningAppsUnchanged(benchmark::State &state)
{
    Desktop desktop(int(state.range(0)));
    for (auto _ : state)
        desktop.store->refreshRunningApps();
    if (desktop.published != 0)
        state.SkipWithError("an unchanged refresh published a change");
    state.counters["apps"] = double(desktop.store->runningApps().size());
}
BENCHMARK(BM_RefreshRunningAppsUnchanged)->Arg(200)->Unit(benchmark::kMicrosecond);

// One whole refresh tick, as the timer runs it every five seconds.
static void BM_RefreshTickUnchanged(benchmark::State &state)
{
    Desktop desktop(int(state.range(0)));
    for (auto _ : state)
        desktop.clock.advance(TaskbarStore::refreshIntervalMs);
    if (desktop.published != 0)
        state.SkipWithError("an unchanged tick published a change");
}
BENCHMARK(BM_RefreshTickUnchanged)->Arg(200)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
