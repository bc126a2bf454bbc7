#include "platform/sim/simoperations.h"
#include "services/windowpreviewid.h"
#include "store/applicationwaits.h"
#include "store/windowpicker.h"
#include "store/windowpreviewcache.h"
#include "storeworld.h"

#include <QTest>

using namespace Velmora;

namespace {

const auto ids = Test::StoreWorld::previewIDs;

// An editor with two windows; its previews were listed once at the start.
struct Fixture : Test::StoreWorld
{
    qint32 editor = addApp("Editor");
    quint32 first = addWindow(editor, QRectF(100, 100, 600, 400), "First");
    quint32 second = addWindow(editor, QRectF(150, 150, 600, 400), "Second");
    std::unique_ptr<TaskbarStore> store = make(false);
    WindowPreviewCache &cache = store->windowPreviewCache();

    AppItem editorItem() const { return appItem("Editor"); }

    // The titles of the editor's cached previews, sorted.
    QStringList cachedTitles() const
    {
        QStringList titles;
        for (const WindowPreviewItem &preview : cache.entry(editor)->previews)
            titles << preview.title;
        titles.sort();
        return titles;
    }
};

} // namespace

class TestWindowPreviewCache : public QObject
{
    Q_OBJECT
private slots:
    void firstUseListsAtOnce()
    {
        Fixture f;
        const QList<WindowPreviewItem> previews = f.cache.cachedOrFetchedWindowPreviews(f.app(f.editor));
        QCOMPARE(previews.size(), 2);
        QVERIFY(f.background.jobs.isEmpty());
        const WindowPreviewCache::Entry *entry = f.cache.entry(f.editor);
        QVERIFY(entry);
        QCOMPARE(entry->fetchedAtMs, f.clock.wallClockMs());
        QCOMPARE(entry->windowServerIDs, QSet<quint32>({ f.first, f.second }));
    }

    // A young entry, or an old one whose window numbers are unchanged, answers
    // from memory and is refreshed behind; an old one whose windows changed is
    // listed again on the spot.
    void entryAge_data()
    {
        QTest::addColumn<qint64>("ageMs");
        QTest::addColumn<bool>("windowOpensMeanwhile");
        QTest::addColumn<int>("answered");
        QTest::addColumn<bool>("refreshedBehind");
        QTest::newRow("9.9 s old, a window opened meanwhile") << qint64(9900) << true << 2 << true;
        QTest::newRow("10 s old, same window numbers") << qint64(10'000) << false << 2 << true;
        QTest::newRow("an hour old, same window numbers") << qint64(3'600'000) << false << 2 << true;
        QTest::newRow("10 s old, a window opened meanwhile") << qint64(10'000) << true << 3 << false;
    }
    void entryAge()
    {
        QFETCH(qint64, ageMs);
        QFETCH(bool, windowOpensMeanwhile);
        QFETCH(int, answered);
        QFETCH(bool, refreshedBehind);
        Fixture f;
        f.cache.cachedOrFetchedWindowPreviews(f.app(f.editor));
        f.clock.advance(ageMs);
        if (windowOpensMeanwhile)
            f.addWindow(f.editor, QRectF(200, 200, 600, 400), "Third");

        QCOMPARE(f.cache.cachedOrFetchedWindowPreviews(f.app(f.editor)).size(), answered);
        QCOMPARE(f.cache.isFetching(f.editor), refreshedBehind);
        QCOMPARE(f.background.jobs.size(), refreshedBehind ? 1 : 0);
        // Either way the entry ends up fresh and complete.
        f.background.runAll();
        QCOMPARE(f.cache.entry(f.editor)->previews.size(), windowOpensMeanwhile ? 3 : 2);
        QCOMPARE(f.cache.entry(f.editor)->fetchedAtMs, f.clock.wallClockMs());
        QVERIFY(!f.cache.isFetching(f.editor));
    }

    void oneFetchPerProcessAtATime()
    {
        Fixture f;
        // A second hover while the first hover's fetch still runs starts nothing.
        f.cache.prefetchWindowPreviews(f.editorItem());
        f.cache.prefetchWindowPreviews(f.editorItem());
        f.cache.refreshWindowPreviewCache(f.app(f.editor), false);
        QCOMPARE(f.background.jobs.size(), 1);
        f.background.runAll();
        QCOMPARE(ids(f.cache.entry(f.editor)->previews),
            QStringList({ WindowPreviewId::forWindow(f.editor, f.second), WindowPreviewId::forWindow(f.editor, f.first) }));

        // Once it has delivered, the next request fetches again.
        f.cache.prefetchWindowPreviews(f.editorItem());
        QCOMPARE(f.background.jobs.size(), 1);
    }

    void prefetchNeedsARunningApp_data()
    {
        QTest::addColumn<AppItem>("app");
        QTest::newRow("no bundle identifier") << AppItem::taskManager();
        QTest::newRow("not running") << AppItem { "org.gone", "Gone", QString("org.gone"), std::nullopt, false,
            std::nullopt };
    }
    void prefetchNeedsARunningApp()
    {
        QFETCH(AppItem, app);
        Fixture f;
        f.cache.prefetchWindowPreviews(app);
        QVERIFY(f.background.jobs.isEmpty());
    }

    void refetchAfterATransition_data()
    {
        QTest::addColumn<bool>("quits");
        QTest::newRow("the application still runs") << false;
        QTest::newRow("the application quit meanwhile") << true;
    }
    void refetchAfterATransition()
    {
        QFETCH(bool, quits);
        Fixture f;
        f.cache.refreshWindowPreviewCacheAfterTransition(f.app(f.editor));
        f.clock.advance(WindowPreviewCache::transitionRefetchDelayMs - 1);
        QVERIFY(f.background.jobs.isEmpty());
        if (quits)
            f.desktop.killProcess(f.editor);
        f.clock.advance(1);
        QCOMPARE(f.background.jobs.size(), quits ? 0 : 1);
    }

    // A listing the application did not answer in time is no news about its
    // windows: the button keeps opening the picker with them, and the next
    // listing it answers brings the picker up to date.
    void unansweredListingKeepsTheWindows_data()
    {
        QTest::addColumn<bool>("hangs");
        QTest::newRow("the application hangs") << true;
        QTest::newRow("one window's read times out") << false;
    }
    void unansweredListingKeepsTheWindows()
    {
        QFETCH(bool, hangs);
        Fixture f;
        f.cache.cachedOrFetchedWindowPreviews(f.app(f.editor));
        const qint64 fetchedAtMs = f.cache.entry(f.editor)->fetchedAtMs;
        if (hangs)
            f.desktop.setHung(f.editor, true);
        else
            f.desktop.injectFailure(Sim::SimFailure::on(Sim::SimOperations::CopyMultipleAttributeValues)
                                        .error(AXError::CannotComplete)
                                        .once());
        f.cache.refreshWindowPreviewCache(f.app(f.editor), false);
        f.background.runAll();
        QCOMPARE(f.cachedTitles(), QStringList({ "First", "Second" }));
        // Still as old as the last listing that was answered.
        QCOMPARE(f.cache.entry(f.editor)->fetchedAtMs, fetchedAtMs);

        WindowPicker &picker = f.store->windowPicker();
        QVERIFY(picker.prepareWindowPicker(f.editorItem(), 1));
        QCOMPARE(picker.windowPreviews().size(), 2);

        // It answers again, and one window has closed meanwhile.
        f.desktop.setHung(f.editor, false);
        f.desktop.removeWindow(f.first);
        f.background.runAll();
        QCOMPARE(f.cachedTitles(), QStringList({ "Second" }));
        QCOMPARE(ids(picker.windowPreviews()), QStringList({ WindowPreviewId::forWindow(f.editor, f.second) }));
    }

    // What a refresh leaves when windows close: an unanswered listing loses
    // only what the window server no longer has; an answered empty listing
    // empties the entry.
    void refreshAfterWindowsClose_data()
    {
        QTest::addColumn<bool>("hung");
        QTest::addColumn<QStringList>("closed");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("hung, one closed") << true << QStringList { "First" } << QStringList { "Second" };
        QTest::newRow("hung, all closed") << true << QStringList { "First", "Second" } << QStringList();
        QTest::newRow("answering, all closed") << false << QStringList { "First", "Second" } << QStringList();
    }
    void refreshAfterWindowsClose()
    {
        QFETCH(bool, hung);
        QFETCH(QStringList, closed);
        QFETCH(QStringList, left);
        Fixture f;
        f.cache.cachedOrFetchedWindowPreviews(f.app(f.editor));
        f.desktop.setHung(f.editor, hung);
        if (closed.contains("First"))
            f.desktop.removeWindow(f.first);
        if (closed.contains("Second"))
            f.desktop.removeWindow(f.second);
        f.cache.refreshWindowPreviewCache(f.app(f.editor), false);
        f.background.runAll();
        QCOMPARE(f.cachedTitles(), left);

        // A later press answers from the entry and lists behind, not on the
        // spot where a hung application would hold the bar up.
        f.clock.advance(WindowPreviewCache::maximumAgeMs);
        QCOMPARE(f.cache.cachedOrFetchedWindowPreviews(f.app(f.editor)).size(), left.size());
        QVERIFY(f.cache.isFetching(f.editor));
    }

    // With nothing cached, a press lists on the spot, but waits on the
    // application only as long as a press may; what it does not answer is
    // listed behind at once, and the next press waits for nothing. Whoever
    // wants the windows gets them when they come, or nothing from an
    // application that never answers, and only while it is still there.
    void anUnansweredListingGoesToTheBackground_data()
    {
        QTest::addColumn<bool>("answersLater");
        QTest::newRow("busy for a moment") << true;
        QTest::newRow("hung") << false;
    }
    void anUnansweredListingGoesToTheBackground()
    {
        QFETCH(bool, answersLater);
        Fixture f;
        if (answersLater)
            f.desktop.setBusyFor(f.editor, 400);
        else
            f.desktop.setHung(f.editor, true);
        const qint64 pressMs = qint64(ApplicationWaits::pressTimeoutSeconds * 1000);
        qint64 before = f.clock.monotonicMs();
        QVERIFY(!f.cache.knownWindowPreviews(f.app(f.editor)));
        QVERIFY(f.clock.monotonicMs() - before <= pressMs);
        QVERIFY(f.cache.isFetching(f.editor));

        QList<QStringList> got;
        auto stays = std::make_unique<QObject>();
        before = f.clock.monotonicMs();
        f.cache.withWindowPreviews(f.app(f.editor), stays.get(),
            [&](const QList<WindowPreviewItem> &previews) { got << ids(previews); });
        {
            QObject leaves;
            f.cache.withWindowPreviews(f.app(f.editor), &leaves,
                [&](const QList<WindowPreviewItem> &previews) { got << ids(previews); });
        }
        QCOMPARE(f.clock.monotonicMs(), before);
        QVERIFY(got.isEmpty());

        f.background.runAll();
        const QStringList listed = answersLater
            ? QStringList({ WindowPreviewId::forWindow(f.editor, f.second), WindowPreviewId::forWindow(f.editor, f.first) })
            : QStringList();
        QCOMPARE(got.size(), 1);
        QCOMPARE(QSet<QString>(got.first().cbegin(), got.first().cend()), QSet<QString>(listed.cbegin(), listed.cend()));
        QCOMPARE(f.cache.knownWindowPreviews(f.app(f.editor)).has_value(), answersLater);
    }

    void resultsReachNoDestroyedStore()
    {
        Fixture f;
        f.cache.prefetchWindowPreviews(f.editorItem());
        f.store.reset();
        // The listing still runs (the test's runner holds it) but its result goes nowhere.
        f.background.runAll();
    }
};

QTEST_GUILESS_MAIN(TestWindowPreviewCache)
#include "tst_windowpreviewcache.moc"
