#include "platform/linux/jsonfileuserdefaults.h"
#include "platform/sim/scriptedfileicons.h"
#include "store/appitem.h"
#include "store/taskbaroverflow.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace Velmora;

// The bar splits on every layout pass.
static void BM_OverflowSplit(benchmark::State &state)
{
    QList<AppItem> apps;
    for (int i = 0; i < state.range(0); ++i) {
        const QString id = QStringLiteral("com.example.app%1").arg(i);
        apps.append(AppItem { id, id, id, std::nullopt, true, std::nullopt });
    }
    const std::optional<QString> promoted = apps.last().id;
    for (auto _ : state)
        benchmark::DoNotOptimize(TaskbarOverflow::split(apps, 20, promoted));
}
BENCHMARK(BM_OverflowSplit)->Arg(30)->Arg(200)->Unit(benchmark::kMicrosecond);

// Every button asks for its icon on each paint; after the first fetch it is a lookup.
static void BM_CachedAppIcon(benchmark::State &state)
{
    Sim::ScriptedFileIcons workspace;
    const AppItem app { "a", "A", QStringLiteral("a"), QUrl::fromLocalFile("/Apps/A.app"), true, std::nullopt };
    app.icon(workspace);
    for (auto _ : state)
        benchmark::DoNotOptimize(app.icon(workspace));
}
BENCHMARK(BM_CachedAppIcon);

// One setting written through to a file of twenty, atomically.
static void BM_SettingsFileWrite(benchmark::State &state)
{
    QTemporaryDir dir;
    Linux::JsonFileUserDefaults defaults(dir.filePath("settings.json"));
    for (int i = 0; i < 20; ++i)
        defaults.setValue(QStringLiteral("Key%1").arg(i), QStringList { "com.apple.finder", "com.apple.Safari" });
    bool flag = false;
    for (auto _ : state)
        benchmark::DoNotOptimize(defaults.setValue(QStringLiteral("KeepWindowOrder"), flag = !flag));
}
BENCHMARK(BM_SettingsFileWrite)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
