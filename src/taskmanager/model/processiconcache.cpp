#include "taskmanager/model/processiconcache.h"

#include "platform/fileicons.h"
#include "platform/workspace.h"
#include "store/velmoraicon.h"
#include "taskmanager/model/appiconcache.h"
#include "taskmanager/sampling/processmetadataresolver.h"
#include "taskmanager/sampling/taskmanagertexts.h"

namespace Velmora {

ProcessIconCache::ProcessIconCache(
    FileIcons &icons, Workspace *workspace, SystemStatistics &statistics, qint32 ownPid, QObject *parent)
    : QObject(parent)
    , m_icons(icons)
    , m_workspace(workspace)
    , m_statistics(statistics)
    , m_ownPid(ownPid)
{
}

ProcessIconCache::~ProcessIconCache()
{
    if (m_queue)
        m_queue->shutdown();
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
    // Nothing to look up for ourselves.
    if (process.id == m_ownPid) {
        m_cache.insert(k, new QIcon(VelmoraIcon::ownAppIcon()));
        return VelmoraIcon::ownAppIcon();
    }
    if (!m_pending.contains(k)) {
        m_pending.insert(k);
        if (!m_queue)
            m_queue = std::make_unique<SerialQueue>(TaskManagerText::processIconQueue, SerialQueue::Priority::Background);
        // The destructor joins the queue before `this` goes, and an answer
        // queued to an object that is gone by then is dropped with it.
        m_queue->post([this, generation = m_generation, k, process] {
            const Found found = lookUp(process);
            QMetaObject::invokeMethod(
                this, [this, generation, k, found] { apply(generation, k, found); }, Qt::QueuedConnection);
        });
    }
    // Made once: every row still waiting paints the same one.
    if (!m_placeholder)
        m_placeholder = AppIconCache::fallback(m_icons);
    return *m_placeholder;
}

void ProcessIconCache::discardPending()
{
    ++m_generation;
    m_pending.clear();
}

void ProcessIconCache::apply(quint64 generation, const QString &key, const Found &found)
{
    if (generation != m_generation)
        return;
    m_pending.remove(key);
    QIcon icon;
    switch (found.kind) {
    case Found::File:
        icon = found.fileIcon;
        break;
    case Found::Own:
        icon = VelmoraIcon::ownAppIcon();
        break;
    case Found::Fallback:
        icon = AppIconCache::fallback(m_icons);
        break;
    }
    m_cache.insert(key, new QIcon(icon));
    emit iconArrived(key);
}

ProcessIconCache::Found ProcessIconCache::lookUp(const ManagedProcess &process) const
{
    const std::optional<QString> executable = ProcessMetadataResolver::executablePath(m_statistics, process.id);
    if (m_workspace) {
        if (const auto application = m_workspace->application(process.id);
            application && !application->bundlePath.isEmpty())
            return { Found::File, m_icons.iconForFile(application->bundlePath) };
    }
    if (!executable)
        return {};
    if (const auto bundle = ProcessMetadataResolver::applicationURL(*executable)) {
        const QString path = bundle->toLocalFile();
        if (VelmoraIcon::isOwnBundle(path, m_icons.ownBundlePath()))
            return { Found::Own, {} };
        return { Found::File, m_icons.iconForFile(path) };
    }
    return { Found::File, m_icons.iconForFile(*executable) };
}

} // namespace Velmora
