#pragma once

#include "platform/runningapplication.h"
#include "services/windowpreviewitem.h"
#include "store/backgroundtasks.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>

#include <functional>
#include <optional>

namespace Velmora {

class Clock;
class Scheduler;
class WindowPreviewProvider;
class Workspace;
struct AppItem;

// The last list of windows of each process, so a click or a press on an app
// button knows at once which windows the app has: listing another
// application's windows walks its accessibility tree, which is slow. Every
// use refreshes the entry in the background, one fetch per process at a
// time, and a fresh list is announced for the open picker.
//
// What is not cached is listed on the spot, but the main thread never waits
// on another application longer than a press may: an application that does
// not answer that soon is listed in the background, and whoever asked gets
// its windows when they arrive.
class WindowPreviewCache : public QObject
{
    Q_OBJECT
public:
    // An entry younger than this is used without a look at the window list.
    static constexpr qint64 maximumAgeMs = 10'000;
    // After a click acted on an app's windows, they are listed again this much later.
    static constexpr qint64 transitionRefetchDelayMs = 600;

    struct Entry
    {
        // In the order the listing returned them, not in display order.
        QList<WindowPreviewItem> previews;
        qint64 fetchedAtMs = 0; // wall clock
        // The process's window numbers, read just before the last listing,
        // answered or not.
        QSet<quint32> windowServerIDs;
        // False while the application has never answered a listing: the
        // entry then only keeps presses from listing on the spot again.
        bool listed = true;
    };

    // Gets an application's windows (unordered) on the main thread.
    using Use = std::function<void(const QList<WindowPreviewItem> &previews)>;

    struct Services
    {
        // Lists the windows; called from background threads too.
        WindowPreviewProvider &windowPreviews;
        const Clock &clock;
        Scheduler &scheduler;
        Workspace &workspace;
        BackgroundTasks::Runner backgroundRunner;
    };

    explicit WindowPreviewCache(Services services);
    ~WindowPreviewCache() override;

    // The application's windows, unordered: from the cache while the entry is
    // younger than 10 s or the process still has the same window numbers
    // (refreshed in the background then), else listed now, each read waiting
    // at most ApplicationWaits::pressTimeoutSeconds. Empty when they are not
    // known (see knownWindowPreviews).
    QList<WindowPreviewItem> cachedOrFetchedWindowPreviews(const RunningApplication &application);
    // The same, but nothing when the application did not answer in time and
    // nothing is known of its windows: a background listing then runs.
    std::optional<QList<WindowPreviewItem>> knownWindowPreviews(const RunningApplication &application);
    // `use` gets the application's windows: at once when they are known,
    // else on the main thread when the background listing brings them (empty
    // when the application never answers), while `context` lives.
    void withWindowPreviews(const RunningApplication &application, QObject *context, Use use);
    // `use` gets what the next background listing of the application brings,
    // while `context` lives; one is started unless one runs.
    void whenListed(const RunningApplication &application, QObject *context, Use use);
    // The pointer entered `app`'s button: its windows and their images are
    // fetched ahead of a click.
    void prefetchWindowPreviews(const AppItem &app);
    // Lists the application's windows in the background, unless a fetch for
    // it already runs: that fetch's result serves both. A listing the
    // application did not answer keeps the windows known for it.
    void refreshWindowPreviewCache(const RunningApplication &application, bool prefetchesThumbnails);
    // Lists them again once a click's effect on the windows has landed.
    void refreshWindowPreviewCacheAfterTransition(const RunningApplication &application);

    const Entry *entry(qint32 processIdentifier) const;
    // The window numbers of the process's cached windows.
    QSet<quint32> cachedWindowIDs(qint32 processIdentifier) const;
    bool isFetching(qint32 processIdentifier) const { return m_fetchesInFlight.contains(processIdentifier); }
    void remove(qint32 processIdentifier);
    // Forgets processes that no longer run.
    void retainProcesses(const QSet<qint32> &processIdentifiers);

signals:
    // A background listing brought the process's windows (unordered).
    void windowPreviewsFetched(const QList<Velmora::WindowPreviewItem> &previews, qint32 processIdentifier);
    // A listing made for a pointer over an app button: the windows' images
    // are worth capturing ahead of a click. Sent after windowPreviewsFetched.
    void thumbnailPrefetchWanted(const QList<Velmora::WindowPreviewItem> &previews);

private:
    struct Fetch
    {
        // Nothing when the application did not answer in time.
        std::optional<QList<WindowPreviewItem>> previews;
        QSet<quint32> windowServerIDs;
    };

    struct Waiter
    {
        QPointer<QObject> context;
        Use use;
    };

    // Safe on any thread: it touches only the provider. A time-out above 0
    // bounds each read of the application.
    static Fetch fetch(
        WindowPreviewProvider &provider, const RunningApplication &application, double messagingTimeoutSeconds = 0);
    // Keeps what the fetch says about the process's windows; the windows
    // known for it afterwards, nothing when the application did not answer
    // and nothing was known before (an open picker is then left alone).
    std::optional<QList<WindowPreviewItem>> store(qint32 processIdentifier, const Fetch &fetch);
    void applyFetch(qint32 processIdentifier, const Fetch &fetch, bool prefetchesThumbnails);

    Services m_services;
    QHash<qint32, Entry> m_entries;
    QSet<qint32> m_fetchesInFlight;
    // Callers waiting for a background listing, by process.
    QHash<qint32, QList<Waiter>> m_waiters;
    // Last: its threads are joined before anything they report to goes.
    BackgroundTasks m_background;
};

} // namespace Velmora
