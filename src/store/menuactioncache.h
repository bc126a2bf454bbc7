#pragma once

#include "platform/runningapplication.h"
#include "services/applicationmenuaction.h"
#include "store/backgroundtasks.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>

#include <functional>
#include <memory>

namespace Velmora {

class Accessibility;
class ApplicationMenuActionProvider;
class Clock;
class Scheduler;
class Workspace;

// The commands found in each running application's menu bar (New Window and
// its kin), which the bar's context menus and the picker's new-window button
// offer. Menu bars are walked off the main thread: for every application the
// running-app refresh sees for the first time, again when an application with
// an incomplete entry becomes active (at most every 10 s), and when a caller
// asks. A shorter answer never replaces a longer cached one, and an empty
// answer is taken for good only after 60 s of empty answers (an application
// that has just launched may not have built its menus yet).
class MenuActionCache : public QObject
{
    Q_OBJECT
    Q_PROPERTY(Velmora::MenuActionCache::ActionsByProcess applicationMenuActionsByProcessIdentifier READ
            applicationMenuActionsByProcessIdentifier NOTIFY applicationMenuActionsByProcessIdentifierChanged)

public:
    using Actions = QList<ApplicationMenuAction>;
    using ActionsByProcess = QHash<qint32, Actions>;

    // Empty answers are cached only once they have come for this long.
    static constexpr qint64 emptyResultAcceptanceMs = 60'000;
    // An activation asks again at most this often per process.
    static constexpr qint64 activationRefreshIntervalMs = 10'000;
    // An activation asks at once and once more this much later.
    static constexpr qint64 activationRetryDelayMs = 500;

    struct Services
    {
        // Walks the menu bars; called from background threads.
        ApplicationMenuActionProvider &menuActions;
        // Nothing is walked without the trust.
        Accessibility &accessibility;
        const Clock &clock;
        Scheduler &scheduler;
        Workspace &workspace;
        BackgroundTasks::Runner backgroundRunner;
    };

    explicit MenuActionCache(Services services);
    ~MenuActionCache() override;

    // An entry means discovery for that process is settled.
    const ActionsByProcess &applicationMenuActionsByProcessIdentifier() const { return m_actions; }
    // The cached commands; empty without an entry.
    Actions applicationMenuActions(const RunningApplication &application) const;
    // True without an entry, with an empty one, without the command that
    // opens a window (New Finder Window for Finder, New Window elsewhere), or
    // with any command disabled.
    bool applicationMenuActionsNeedRefresh(const RunningApplication &application) const;

    // Walks the application's menu bar again and calls `done` (on the main
    // thread, while `context` lives) with the list cached afterwards. Callers
    // asking for one process while a walk runs share it.
    void refreshApplicationMenuActions(
        const RunningApplication &application, QObject *context, std::function<void(Actions)> done);
    // An application became active: asks again when its entry is incomplete.
    void refreshIncompleteMenuActions(const RunningApplication &application);
    // The running-app refresh: forgets processes that are gone and walks the
    // menus of those without an entry.
    void refreshApplicationMenuActionCache(const QList<RunningApplication> &applications);
    // Applies one background discovery's results.
    void cacheApplicationMenuActions(const ActionsByProcess &results, const QSet<qint32> &requestedProcessIdentifiers);

    bool isDiscovering(qint32 processIdentifier) const { return m_discoveryInFlight.contains(processIdentifier); }
    bool isRefreshing(qint32 processIdentifier) const { return m_refreshTasks.contains(processIdentifier); }

signals:
    void applicationMenuActionsByProcessIdentifierChanged();

private:
    struct Waiter
    {
        QPointer<QObject> context;
        std::function<void(Actions)> done;
    };
    // One explicit walk of one process's menus, shared by everyone who asks
    // while it runs.
    struct RefreshTask
    {
        RunningApplication application;
        QList<Waiter> waiters;
    };

    void finishRefresh(const std::shared_ptr<RefreshTask> &task, const Actions &discovered);
    void activationRefreshStep(const RunningApplication &application, int step);
    void setActions(const ActionsByProcess &actions);

    Services m_services;
    ActionsByProcess m_actions;
    QSet<qint32> m_discoveryInFlight;
    QHash<qint32, qint64> m_firstEmptyDiscoveryMs; // wall clock
    QHash<qint32, std::shared_ptr<RefreshTask>> m_refreshTasks;
    QHash<qint32, qint64> m_lastActivationRefreshMs; // wall clock
    // Last: its threads are joined before anything they report to goes.
    BackgroundTasks m_background;
};

} // namespace Velmora

Q_DECLARE_METATYPE(Velmora::MenuActionCache::ActionsByProcess)
