#include "platform/sim/scriptedbundles.h"

#include <QMutexLocker>

#include <algorithm>

namespace Velmora::Sim {

namespace {

// Whether the path below `folder` passes through a hidden entry or into a package.
bool isReachable(const QString &path, const QString &folder)
{
    const QStringList parts = path.mid(folder.size() + 1).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (parts.at(i).startsWith(QLatin1Char('.')))
            return false;
        if (i + 1 < parts.size() && ApplicationBundles::isPackageName(parts.at(i)))
            return false;
    }
    return !parts.isEmpty();
}

} // namespace

void ScriptedBundles::addBundle(const QString &path, const std::optional<BundleInfo> &info)
{
    const QMutexLocker lock(&m_mutex);
    if (!m_infos.contains(path))
        m_paths.append(path);
    m_infos.insert(path, info);
}

QStringList ScriptedBundles::requests() const
{
    const QMutexLocker lock(&m_mutex);
    return m_requests;
}

QStringList ScriptedBundles::findApplications(const QStringList &folders) const
{
    const QMutexLocker lock(&m_mutex);
    m_requests.append(QStringLiteral("find ") + folders.join(QLatin1Char(',')));
    QStringList found;
    for (const QString &folder : folders) {
        QStringList inFolder;
        for (const QString &path : m_paths) {
            if (path.startsWith(folder + QLatin1Char('/')) && isReachable(path, folder))
                inFolder.append(path);
        }
        // Folders list their entries by name, as on disk.
        std::sort(inFolder.begin(), inFolder.end());
        found.append(inFolder);
    }
    return found;
}

std::optional<BundleInfo> ScriptedBundles::info(const QString &bundlePath) const
{
    const QMutexLocker lock(&m_mutex);
    m_requests.append(QStringLiteral("info ") + bundlePath);
    return m_infos.value(bundlePath);
}

} // namespace Velmora::Sim
