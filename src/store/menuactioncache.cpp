#include "store/menuactioncache.h"

#include "platform/accessibility.h"
#include "platform/clock.h"
#include "platform/scheduler.h"
#include "platform/workspace.h"
#include "services/applicationmenuactionprovider.h"
#include "store/stillrunning.h"

#include <algorithm>

namespace Velmora {

namespace {

// Two lists offer the same commands in the same states.
bool sameCommands(const MenuActionCache::Actions &a, const MenuActionCache::Actions &b)
{
    return std::equal(a.cbegin(), a.cend(), b.cbegin(), b.cend(),
        [](const ApplicationMenuAction &x, const ApplicationMenuAction &y) {
            return x.kind == y.kind && x.isEnabled == y.isEnabled;
        });
}

} // namespace

MenuActionCache::MenuActionCache(Services services)
    : m_services(std::move(services))
    , m_background(m_services.backgroundRunner)
{
}

MenuActionCache::~MenuActionCache()
{
    m_background.waitForDone();
}

MenuActionCache::Actions MenuActionCache::applicationMenuActions(const RunningApplication &application) const
{
    return m_actions.value(application.processIdentifier);
}

bool MenuActionCache::applicationMenuActionsNeedRefresh(const RunningApplication &application) const
{
    const auto found = m_actions.constFind(application.processIdentifier);
    if (found == m_actions.cend() || found->isEmpty())
        return true;
    const auto expected = application.bundleIdentifier == ApplicationMenuActionProvider::finderBundleIdentifier
        ? ApplicationMenuAction::Kind::newFinderWindow
        : ApplicationMenuAction::Kind::newWindow;
    if (std::none_of(found->cbegin(), found->cend(),
            [&](const ApplicationMenuAction &action) { return action.kind == expected; }))
        return true;
    return std::any_of(
        found->cbegin(), found->cend(), [](const ApplicationMenuAction &action) { return !action.isEnabled; });
}

void MenuActionCache::refreshApplicationMenuActions(
    const RunningApplication &application, QObject *context, std::function<void(Actions)> done)
{
    const qint32 pid = application.processIdentifier;
    if (const auto running = m_refreshTasks.constFind(pid); running != m_refreshTasks.cend()) {
        (*running)->waiters.append({ context, std::move(done) });
        return;
    }
    auto task = std::make_shared<RefreshTask>(RefreshTask { application, { { context, std::move(done) } } });
    m_refreshTasks.insert(pid, task);
    ApplicationMenuActionProvider &provider = m_services.menuActions;
    m_background.run<Actions>(
        this, [&provider, pid] { return provider.discoverActions(pid); },
        [this, task](Actions discovered) { finishRefresh(task, discovered); });
}

void MenuActionCache::finishRefresh(const std::shared_ptr<RefreshTask> &task, const Actions &discovered)
{
    const qint32 pid = task->application.processIdentifier;
    // Only the task's own entry goes: a newer walk for the process stays
    // shareable for those who ask next.
    if (m_refreshTasks.value(pid) == task)
        m_refreshTasks.remove(pid);

    const Actions cached = m_actions.value(pid);
    Actions result = cached;
    if (discovered.size() >= cached.size() && isStillRunning(m_services.workspace, task->application)
        && !sameCommands(discovered, cached)) {
        ActionsByProcess updated = m_actions;
        updated.insert(pid, discovered);
        m_firstEmptyDiscoveryMs.remove(pid);
        setActions(updated);
        result = discovered;
    }
    for (const Waiter &waiter : std::as_const(task->waiters)) {
        if (waiter.context && waiter.done)
            waiter.done(result);
    }
}

void MenuActionCache::refreshIncompleteMenuActions(const RunningApplication &application)
{
    if (application.activationPolicy != ActivationPolicy::Regular
        || !m_services.accessibility.isProcessTrusted() || !applicationMenuActionsNeedRefresh(application))
        return;
    const qint32 pid = application.processIdentifier;
    const qint64 now = m_services.clock.wallClockMs();
    if (const auto last = m_lastActivationRefreshMs.constFind(pid);
        last != m_lastActivationRefreshMs.cend() && now - *last < activationRefreshIntervalMs)
        return;
    m_lastActivationRefreshMs.insert(pid, now);
    activationRefreshStep(application, 0);
}

void MenuActionCache::activationRefreshStep(const RunningApplication &application, int step)
{
    // At once, then once more half a second after that walk: an application
    // that has just come forward may still be building its menus.
    static constexpr qint64 delays[] = { 0, activationRetryDelayMs };
    if (step >= int(std::size(delays)))
        return;
    m_services.scheduler.scheduleOnce(delays[step], this, [this, application, step] {
        if (!isStillRunning(m_services.workspace, application) || !applicationMenuActionsNeedRefresh(application))
            return;
        refreshApplicationMenuActions(
            application, this, [this, application, step](Actions) { activationRefreshStep(application, step + 1); });
    });
}

void MenuActionCache::refreshApplicationMenuActionCache(const QList<RunningApplication> &applications)
{
    QSet<qint32> running;
    running.reserve(applications.size());
    for (const RunningApplication &application : applications)
        running.insert(application.processIdentifier);

    ActionsByProcess kept = m_actions;
    kept.removeIf([&](const auto &entry) { return !running.contains(entry.key()); });
    // Entries are only ever removed here, so an unchanged count means nothing went.
    if (kept.size() != m_actions.size())
        setActions(kept);
    m_discoveryInFlight.intersect(running);
    m_firstEmptyDiscoveryMs.removeIf([&](const auto &entry) { return !running.contains(entry.key()); });
    m_lastActivationRefreshMs.removeIf([&](const auto &entry) { return !running.contains(entry.key()); });

    if (!m_services.accessibility.isProcessTrusted()) {
        // Without the permission no entry can be trusted to stay right.
        if (!m_actions.isEmpty())
            setActions({});
        return;
    }
    QList<qint32> pending;
    for (const RunningApplication &application : applications) {
        const qint32 pid = application.processIdentifier;
        if (!m_actions.contains(pid) && !m_discoveryInFlight.contains(pid) && !pending.contains(pid))
            pending.append(pid);
    }
    if (pending.isEmpty())
        return;
    const QSet<qint32> requested(pending.cbegin(), pending.cend());
    m_discoveryInFlight.unite(requested);
    ApplicationMenuActionProvider &provider = m_services.menuActions;
    m_background.run<ActionsByProcess>(
        this,
        [&provider, pending] {
            ActionsByProcess results;
            for (qint32 pid : pending)
                results.insert(pid, provider.discoverActions(pid));
            return results;
        },
        [this, requested](ActionsByProcess results) { cacheApplicationMenuActions(results, requested); });
}

void MenuActionCache::cacheApplicationMenuActions(
    const ActionsByProcess &results, const QSet<qint32> &requestedProcessIdentifiers)
{
    m_discoveryInFlight.subtract(requestedProcessIdentifiers);
    ActionsByProcess updated = m_actions;
    const qint64 now = m_services.clock.wallClockMs();
    bool stored = false;
    for (auto it = results.cbegin(); it != results.cend(); ++it) {
        const qint32 pid = it.key();
        const std::optional<RunningApplication> application = m_services.workspace.application(pid);
        if (!application || application->isTerminated)
            continue;
        if (updated.value(pid).size() > it->size())
            continue;
        if (!it->isEmpty()) {
            m_firstEmptyDiscoveryMs.remove(pid);
        } else {
            const qint64 start = m_firstEmptyDiscoveryMs.value(pid, now);
            m_firstEmptyDiscoveryMs.insert(pid, start);
            // Asked again at the next running-app refresh.
            if (now - start < emptyResultAcceptanceMs)
                continue;
            m_firstEmptyDiscoveryMs.remove(pid);
        }
        updated.insert(pid, *it);
        stored = true;
    }
    if (stored)
        setActions(updated);
}

void MenuActionCache::setActions(const ActionsByProcess &actions)
{
    m_actions = actions;
    emit applicationMenuActionsByProcessIdentifierChanged();
}

} // namespace Velmora
