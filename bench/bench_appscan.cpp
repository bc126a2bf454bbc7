#include "platform/linux/filesystembundles.h"
#include "store/installedapps.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>

#include "qtbenchmarkmain.h"

#include <benchmark/benchmark.h>

using namespace Velmora;

namespace {

// A tree like a full Applications folder: bundles spread over nested folders,
// each with its info list and some contents the scan must not enter.
class BundleTree
{
public:
    explicit BundleTree(int bundles)
    {
        for (int i = 0; i < bundles; ++i) {
            const QString folder = QStringLiteral("%1/Group %2/Sub %3").arg(i % 3).arg(i % 20).arg(i % 5);
            const QString bundle = m_dir.filePath(QStringLiteral("%1/App %2.app").arg(folder).arg(i));
            QDir().mkpath(bundle + QStringLiteral("/Contents/Resources"));
            QFile plist(bundle + QStringLiteral("/Contents/Info.plist"));
            if (plist.open(QIODevice::WriteOnly)) {
                plist.write(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
                                           "<key>CFBundleIdentifier</key><string>org.bench.app%1</string>"
                                           "<key>CFBundleName</key><string>App %1</string>"
                                           "<key>CFBundleVersion</key><string>1.0</string>"
                                           "</dict></plist>\n")
                                .arg(i)
                                .toUtf8());
            }
        }
    }
    QStringList folders() const
    {
        return { m_dir.filePath(QStringLiteral("0")), m_dir.filePath(QStringLiteral("1")),
            m_dir.filePath(QStringLiteral("2")) };
    }

private:
    QTemporaryDir m_dir;
};

} // namespace

// The scan itself, on the calling thread.
static void BM_DiscoverInstalledApps(benchmark::State &state)
{
    BundleTree tree(int(state.range(0)));
    Linux::FileSystemBundles bundles;
    qsizetype found = 0;
    for (auto _ : state)
        found = discoverInstalledApps(bundles, tree.folders(), std::nullopt).size();
    if (found != state.range(0))
        state.SkipWithError("the scan missed bundles");
}
BENCHMARK(BM_DiscoverInstalledApps)->Arg(2000)->Unit(benchmark::kMillisecond);

// As the store runs it: on the worker thread, the result handed back to this
// thread's event loop, which stays free meanwhile.
static void BM_LoadInstalledAppsOffThread(benchmark::State &state)
{
    BundleTree tree(int(state.range(0)));
    Linux::FileSystemBundles bundles;
    InstalledAppsLoader loader(bundles);
    QEventLoop loop;
    qsizetype found = 0;
    QObject::connect(&loader, &InstalledAppsLoader::loaded, &loop, [&](const QList<AppItem> &apps) {
        found = apps.size();
        loop.quit();
    });
    for (auto _ : state) {
        loader.load(tree.folders(), std::nullopt);
        loop.exec();
    }
    if (found != state.range(0))
        state.SkipWithError("the scan missed bundles");
}
BENCHMARK(BM_LoadInstalledAppsOffThread)->Arg(2000)->Unit(benchmark::kMillisecond)->UseRealTime();

VELMORA_QT_BENCHMARK_MAIN()
