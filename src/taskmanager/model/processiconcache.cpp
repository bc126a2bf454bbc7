#include "taskmanager/model/processiconcache.h"

#include "platform/fileicons.h"
#include "platform/workspace.h"
#include "store/velmoraicon.h"
#include "taskmanager/model/appiconcache.h"
#include "taskmanager/sampling/processmetadataresolver.h"

namespace Velmora {

ProcessIconCache::ProcessIconCache(FileIcons &icons, Workspace *workspace, SystemStatistics &statistics, qint32 ownPid)
    : m_icons(icons)
    , m_workspace(workspace)
    , m_statistics(statistics)
    , m_ownPid(ownPid)
{
}

QString ProcessIconCache::key(const ManagedProcess &process)
{
    return QString::number(process.id) + QLatin1Char('-') + QString::number(process.started);
}

QIcon ProcessIconCache::icon(const ManagedProcess &process)
{
    const QString k = key(process);
    if (const QIcon *cached = m_cache.object(k))
        return *cached;
    const QIcon icon = lookUp(process);
    m_cache.insert(k, new QIcon(icon));
    return icon;
}

QIcon ProcessIconCache::lookUp(const ManagedProcess &process)
{
    if (process.id == m_ownPid)
        return VelmoraIcon::ownAppIcon();
    const std::optional<QString> executable = ProcessMetadataResolver::executablePath(m_statistics, process.id);
    if (m_workspace) {
        if (const auto application = m_workspace->application(process.id);
            application && !application->bundlePath.isEmpty())
            return m_icons.iconForFile(application->bundlePath);
    }
    if (!executable)
        return AppIconCache::fallback(m_icons);
    if (const auto bundle = ProcessMetadataResolver::applicationURL(*executable)) {
        const QString path = bundle->toLocalFile();
        return VelmoraIcon::isOwnBundle(path, m_icons.ownBundlePath()) ? VelmoraIcon::ownAppIcon()
                                                                       : m_icons.iconForFile(path);
    }
    return m_icons.iconForFile(*executable);
}

} // namespace Velmora
