#pragma once

#include "taskmanager/sampling/managedprocess.h"
#include "taskmanager/sampling/serialqueue.h"

#include <QCache>
#include <QIcon>
#include <QObject>
#include <QSet>

#include <memory>
#include <optional>

namespace Velmora {

class FileIcons;
class SystemStatistics;
class Workspace;

// Icons of the rows of the process list, by process id and start time, so a
// reused id gets its own. Each process is looked up once while it stays in
// the cache, which keeps the most recent 2,048.
//
// Looking a process up reads the process table and sniffs the type of its
// executable, which is too slow for painting: it runs on a queue of its own,
// and the answer is kept here, on the main thread, where the cache is used.
class ProcessIconCache : public QObject
{
    Q_OBJECT
public:
    static constexpr int capacity = 2048;

    // `workspace` may be null: no running application is known then. It and
    // the other services are used from the look-up queue.
    ProcessIconCache(FileIcons &icons, Workspace *workspace, SystemStatistics &statistics, qint32 ownPid,
        QObject *parent = nullptr);
    // Finishes the look-up under way and drops the others.
    ~ProcessIconCache() override;

    // This application's own icon for itself; else the running application's
    // icon; else the icon of the outermost application bundle around the
    // executable, or of the executable itself; else a generic symbol. A
    // process not yet looked up gets the generic symbol for now: its look-up
    // starts, and iconArrived() says when its own icon is here.
    QIcon icon(const ManagedProcess &process);
    // Look-ups asked for and not yet applied are dropped (the list that
    // asked has gone); a later icon() asks again.
    void discardPending();

    static QString key(const ManagedProcess &process);

signals:
    void iconArrived(const QString &key);

private:
    // What a look-up found; the icons that are not files' are made here.
    struct Found
    {
        enum Kind { File, Own, Fallback } kind = Fallback;
        QIcon fileIcon;
    };
    Found lookUp(const ManagedProcess &process) const;
    void apply(quint64 generation, const QString &key, const Found &found);

    FileIcons &m_icons;
    Workspace *m_workspace;
    SystemStatistics &m_statistics;
    const qint32 m_ownPid;
    QCache<QString, QIcon> m_cache { capacity };
    QSet<QString> m_pending;
    std::optional<QIcon> m_placeholder;
    quint64 m_generation = 0;
    // Made at the first look-up. Last: goes first, finishing the look-up
    // under way while what it uses is still here.
    std::unique_ptr<SerialQueue> m_queue;
};

} // namespace Velmora
