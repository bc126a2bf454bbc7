#include "store/installedapps.h"

#include "platform/applicationbundles.h"
#include "store/applists.h"

#include <QDir>
#include <QMetaObject>
#include <QThread>

namespace Velmora {

QStringList defaultApplicationFolders()
{
    return { QStringLiteral("/Applications"), QStringLiteral("/System/Applications"),
        QDir(QDir::homePath()).filePath(QStringLiteral("Applications")) };
}

QList<AppItem> discoverInstalledApps(
    const ApplicationBundles &bundles, const QStringList &folders, const std::optional<QUrl> &finderLocation)
{
    QList<AppItem> found;
    if (finderLocation) {
        const QString finder = QString::fromLatin1(AppLists::finderBundleIdentifier);
        found.append(AppItem { finder, QStringLiteral("Finder"), finder, finderLocation, false, std::nullopt });
    }
    for (const QString &path : bundles.findApplications(folders)) {
        const std::optional<BundleInfo> info = bundles.info(path);
        std::optional<QString> bundleID = info ? info->bundleIdentifier : std::nullopt;
        // An identifier must name the app; an empty one would make every such app the same id.
        if (bundleID && bundleID->isEmpty())
            bundleID.reset();
        found.append(AppItem { bundleID.value_or(path), ApplicationBundles::displayName(path, info), bundleID,
            QUrl::fromLocalFile(path), false, std::nullopt });
    }
    return AppLists::uniqueNamesSorted(found);
}

InstalledAppsLoader::InstalledAppsLoader(const ApplicationBundles &bundles, QObject *parent)
    : QObject(parent)
    , m_bundles(bundles)
{
    m_pool.setMaxThreadCount(1);
    // Nobody waits on the scan; it must not compete with the bar for the CPU.
    m_pool.setThreadPriority(QThread::LowPriority);
}

InstalledAppsLoader::~InstalledAppsLoader()
{
    m_pool.waitForDone();
}

void InstalledAppsLoader::load(const QStringList &folders, const std::optional<QUrl> &finderLocation)
{
    const quint64 generation = ++m_generation;
    ++m_pending;
    m_pool.start([this, generation, folders, finderLocation] {
        const QList<AppItem> apps = discoverInstalledApps(m_bundles, folders, finderLocation);
        // Queued: the result is applied on the owner's thread. The destructor
        // waits for this job, so `this` is alive here; a posted call to an
        // object deleted later is dropped by Qt.
        QMetaObject::invokeMethod(
            this, [this, generation, apps] { deliver(generation, apps); }, Qt::QueuedConnection);
    });
}

void InstalledAppsLoader::deliver(quint64 generation, const QList<AppItem> &apps)
{
    --m_pending;
    if (generation != m_generation)
        return;
    emit loaded(apps);
}

} // namespace Velmora
