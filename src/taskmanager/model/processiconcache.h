#pragma once

#include "taskmanager/sampling/managedprocess.h"

#include <QCache>
#include <QIcon>

namespace Velmora {

class FileIcons;
class SystemStatistics;
class Workspace;

// Icons of the rows of the process list, by process id and start time, so a
// reused id gets its own. Each process is looked up once while it stays in
// the cache, which keeps the most recent 2,048. Main thread only.
class ProcessIconCache
{
public:
    static constexpr int capacity = 2048;

    // `workspace` may be null: no running application is known then.
    ProcessIconCache(FileIcons &icons, Workspace *workspace, SystemStatistics &statistics, qint32 ownPid);

    // This application's own icon for itself; else the running application's
    // icon; else the icon of the outermost application bundle around the
    // executable, or of the executable itself; else a generic symbol.
    QIcon icon(const ManagedProcess &process);

    static QString key(const ManagedProcess &process);

private:
    QIcon lookUp(const ManagedProcess &process);

    FileIcons &m_icons;
    Workspace *m_workspace;
    SystemStatistics &m_statistics;
    const qint32 m_ownPid;
    QCache<QString, QIcon> m_cache { capacity };
};

} // namespace Velmora
