#include "store/windowpreviewcache.h"

#include "platform/clock.h"
#include "platform/scheduler.h"
#include "platform/workspace.h"
#include "services/windowpreviewprovider.h"
#include "store/appitem.h"
#include "store/applicationwaits.h"
#include "store/stillrunning.h"

namespace Velmora {

WindowPreviewCache::WindowPreviewCache(Services services)
    : m_services(std::move(services))
    , m_background(m_services.backgroundRunner)
{
}

WindowPreviewCache::~WindowPreviewCache()
{
    m_background.waitForDone();
}

QList<WindowPreviewItem> WindowPreviewCache::cachedOrFetchedWindowPreviews(const RunningApplication &application)
{
    return knownWindowPreviews(application).value_or(QList<WindowPreviewItem>());
}

std::optional<QList<WindowPreviewItem>> WindowPreviewCache::knownWindowPreviews(const RunningApplication &application)
{
    const qint32 pid = application.processIdentifier;
    WindowPreviewProvider &provider = m_services.windowPreviews;
    if (const auto found = m_entries.constFind(pid); found != m_entries.cend()) {
        const qint64 age = m_services.clock.wallClockMs() - found->fetchedAtMs;
        // A wall clock set back makes an entry look young; it is refreshed all the same.
        if (age < maximumAgeMs || found->windowServerIDs == provider.windowServerWindowIDs(pid)) {
            const std::optional<QList<WindowPreviewItem>> previews
                = found->listed ? std::optional(found->previews) : std::nullopt;
            refreshWindowPreviewCache(application, false);
            return previews;
        }
    }
    // Listed on the spot, as briefly as a press may wait: this runs on the
    // main thread, and the bar must not freeze for another program.
    const Fetch now = fetch(provider, application, ApplicationWaits::pressTimeoutSeconds);
    const std::optional<QList<WindowPreviewItem>> known = store(pid, now);
    if (!now.previews)
        refreshWindowPreviewCache(application, false);
    return known;
}

void WindowPreviewCache::withWindowPreviews(const RunningApplication &application, QObject *context, Use use)
{
    if (const std::optional<QList<WindowPreviewItem>> known = knownWindowPreviews(application))
        use(*known);
    else
        whenListed(application, context, std::move(use));
}

void WindowPreviewCache::whenListed(const RunningApplication &application, QObject *context, Use use)
{
    m_waiters[application.processIdentifier].append({ QPointer<QObject>(context), std::move(use) });
    refreshWindowPreviewCache(application, false);
}

void WindowPreviewCache::prefetchWindowPreviews(const AppItem &app)
{
    if (!app.bundleIdentifier)
        return;
    const QList<RunningApplication> running = m_services.workspace.runningApplications(*app.bundleIdentifier);
    if (!running.isEmpty())
        refreshWindowPreviewCache(running.first(), true);
}

void WindowPreviewCache::refreshWindowPreviewCache(const RunningApplication &application, bool prefetchesThumbnails)
{
    const qint32 pid = application.processIdentifier;
    if (m_fetchesInFlight.contains(pid))
        return;
    m_fetchesInFlight.insert(pid);
    WindowPreviewProvider &provider = m_services.windowPreviews;
    m_background.run<Fetch>(
        this, [&provider, application] { return fetch(provider, application); },
        [this, pid, prefetchesThumbnails](Fetch fetch) { applyFetch(pid, fetch, prefetchesThumbnails); });
}

WindowPreviewCache::Fetch WindowPreviewCache::fetch(
    WindowPreviewProvider &provider, const RunningApplication &application, double messagingTimeoutSeconds)
{
    Fetch fetch;
    fetch.windowServerIDs = provider.windowServerWindowIDs(application.processIdentifier);
    fetch.previews = provider.windowsIfAnswered(application, messagingTimeoutSeconds);
    return fetch;
}

void WindowPreviewCache::applyFetch(qint32 processIdentifier, const Fetch &fetch, bool prefetchesThumbnails)
{
    m_fetchesInFlight.remove(processIdentifier);
    const std::optional<QList<WindowPreviewItem>> previews = store(processIdentifier, fetch);
    if (previews) {
        emit windowPreviewsFetched(*previews, processIdentifier);
        if (prefetchesThumbnails)
            emit thumbnailPrefetchWanted(*previews);
    }
    // An application that never answers has no windows to show, as a
    // listing that waited it out would have found.
    const QList<Waiter> waiters = m_waiters.take(processIdentifier);
    for (const Waiter &waiter : waiters) {
        if (waiter.context)
            waiter.use(previews.value_or(QList<WindowPreviewItem>()));
    }
}

void WindowPreviewCache::refreshWindowPreviewCacheAfterTransition(const RunningApplication &application)
{
    m_services.scheduler.scheduleOnce(transitionRefetchDelayMs, this, [this, application] {
        if (isStillRunning(m_services.workspace, application))
            refreshWindowPreviewCache(application, false);
    });
}

const WindowPreviewCache::Entry *WindowPreviewCache::entry(qint32 processIdentifier) const
{
    const auto found = m_entries.constFind(processIdentifier);
    return found == m_entries.cend() ? nullptr : &*found;
}

QSet<quint32> WindowPreviewCache::cachedWindowIDs(qint32 processIdentifier) const
{
    QSet<quint32> numbers;
    if (const Entry *cached = entry(processIdentifier)) {
        for (const WindowPreviewItem &preview : cached->previews) {
            if (preview.windowID)
                numbers.insert(*preview.windowID);
        }
    }
    return numbers;
}

std::optional<QList<WindowPreviewItem>> WindowPreviewCache::store(qint32 processIdentifier, const Fetch &fetch)
{
    if (fetch.previews) {
        m_entries.insert(processIdentifier,
            Entry { *fetch.previews, m_services.clock.wallClockMs(), fetch.windowServerIDs, true });
        return fetch.previews;
    }
    // A hung application still has its windows; it only could not list
    // them. The entry loses only the windows the window server no longer
    // has and stays as old as it was, so every use still lists again behind.
    // It takes the window numbers it was checked against: with the old ones
    // each press on the button would list on the spot and wait out the
    // hung application every time.
    const auto found = m_entries.find(processIdentifier);
    if (found == m_entries.end()) {
        // Nothing known to keep. An entry that knows nothing still spares
        // the next presses from listing on the spot, each waiting on the
        // hung application on the main thread, until it is old.
        m_entries.insert(processIdentifier,
            Entry { {}, m_services.clock.wallClockMs(), fetch.windowServerIDs, false });
        return std::nullopt;
    }
    found->windowServerIDs = fetch.windowServerIDs;
    if (!found->listed)
        return std::nullopt;
    found->previews.removeIf([&](const WindowPreviewItem &preview) {
        return preview.windowID && !fetch.windowServerIDs.contains(*preview.windowID);
    });
    return found->previews;
}

void WindowPreviewCache::remove(qint32 processIdentifier)
{
    m_entries.remove(processIdentifier);
}

void WindowPreviewCache::retainProcesses(const QSet<qint32> &processIdentifiers)
{
    m_entries.removeIf([&](const auto &entry) { return !processIdentifiers.contains(entry.key()); });
}

} // namespace Velmora
