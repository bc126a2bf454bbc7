#include "store/windowpreviewcache.h"

#include "platform/clock.h"
#include "platform/scheduler.h"
#include "platform/workspace.h"
#include "services/windowpreviewprovider.h"
#include "store/appitem.h"
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
    const qint32 pid = application.processIdentifier;
    WindowPreviewProvider &provider = m_services.windowPreviews;
    if (const auto found = m_entries.constFind(pid); found != m_entries.cend()) {
        const qint64 age = m_services.clock.wallClockMs() - found->fetchedAtMs;
        // A wall clock set back makes an entry look young; it is refreshed all the same.
        if (age < maximumAgeMs || found->windowServerIDs == provider.windowServerWindowIDs(pid)) {
            const QList<WindowPreviewItem> previews = found->previews;
            refreshWindowPreviewCache(application, false);
            return previews;
        }
    }
    return store(pid, fetch(provider, application)).value_or(QList<WindowPreviewItem>());
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
    WindowPreviewProvider &provider, const RunningApplication &application)
{
    Fetch fetch;
    fetch.windowServerIDs = provider.windowServerWindowIDs(application.processIdentifier);
    fetch.previews = provider.windowsIfAnswered(application);
    return fetch;
}

void WindowPreviewCache::applyFetch(qint32 processIdentifier, const Fetch &fetch, bool prefetchesThumbnails)
{
    m_fetchesInFlight.remove(processIdentifier);
    const std::optional<QList<WindowPreviewItem>> previews = store(processIdentifier, fetch);
    if (!previews)
        return;
    emit windowPreviewsFetched(*previews, processIdentifier);
    if (prefetchesThumbnails)
        emit thumbnailPrefetchWanted(*previews);
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
            Entry { *fetch.previews, m_services.clock.wallClockMs(), fetch.windowServerIDs });
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
        // Nothing known to keep. An empty entry still spares the next
        // presses from listing on the spot, each waiting out the hung
        // application on the main thread, until it is old.
        m_entries.insert(processIdentifier,
            Entry { {}, m_services.clock.wallClockMs(), fetch.windowServerIDs });
        return std::nullopt;
    }
    found->previews.removeIf([&](const WindowPreviewItem &preview) {
        return preview.windowID && !fetch.windowServerIDs.contains(*preview.windowID);
    });
    found->windowServerIDs = fetch.windowServerIDs;
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
