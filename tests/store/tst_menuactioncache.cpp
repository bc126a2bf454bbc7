#include "platform/axnames.h"
#include "platform/sim/simoperations.h"
#include "store/menuactioncache.h"
#include "storeworld.h"
#include "support/simmenus.h"

#include <QSignalSpy>
#include <QTest>

using namespace Velmora;
using Kind = ApplicationMenuAction::Kind;
using Sim::SimMenuItem;
using Test::item;

namespace {

QList<SimMenuItem> fileMenu(const QList<SimMenuItem> &items)
{
    return { Test::menu("File", items) };
}

ApplicationMenuAction action(Kind kind, bool enabled = true)
{
    ApplicationMenuAction result;
    result.kind = kind;
    result.title = ApplicationMenuAction::rawValue(kind);
    result.isEnabled = enabled;
    return result;
}

QList<Kind> kinds(const QList<ApplicationMenuAction> &actions)
{
    QList<Kind> result;
    for (const ApplicationMenuAction &each : actions)
        result << each.kind;
    return result;
}

struct Fixture : Test::StoreWorld
{
    std::unique_ptr<TaskbarStore> store;

    qint32 addMenuApp(const QString &name, const QList<SimMenuItem> &menuBar)
    {
        const qint32 pid = addApp(name);
        setMenus(pid, menuBar);
        return pid;
    }
    void setMenus(qint32 pid, const QList<SimMenuItem> &menuBar)
    {
        desktop.updateProcess(pid, [&](Sim::SimProcess &process) { process.menuBar = menuBar; });
    }
    MenuActionCache &cache() { return store->menuActions(); }
    // How often the application's menu bar was walked.
    int walks(qint32 pid) const
    {
        int count = 0;
        for (const Sim::SimRequest &request : desktop.requests(Sim::SimOperations::CopyAttributeValue))
            count += request.pid == pid && request.name == AXNames::MenuBar;
        return count;
    }
};

} // namespace

class TestMenuActionCache : public QObject
{
    Q_OBJECT
private slots:
    void needsRefresh_data()
    {
        QTest::addColumn<QString>("bundle");
        QTest::addColumn<QList<ApplicationMenuAction>>("cached");
        QTest::addColumn<bool>("needs");
        QTest::newRow("Finder with an enabled New Finder Window")
            << "com.apple.finder" << QList { action(Kind::newFinderWindow), action(Kind::find) } << false;
        QTest::newRow("Finder with only New Window") << "com.apple.finder" << QList { action(Kind::newWindow) } << true;
        QTest::newRow("an app with an enabled New Window") << "org.editor" << QList { action(Kind::newWindow) } << false;
        QTest::newRow("an app whose other command is disabled")
            << "org.editor" << QList { action(Kind::newWindow), action(Kind::find, false) } << true;
        QTest::newRow("an app with a disabled New Window")
            << "org.editor" << QList { action(Kind::newWindow, false) } << true;
        QTest::newRow("an app without New Window") << "org.editor" << QList { action(Kind::newDocument) } << true;
        QTest::newRow("an empty entry") << "org.editor" << QList<ApplicationMenuAction> {} << true;
    }
    void needsRefresh()
    {
        QFETCH(QString, bundle);
        QFETCH(QList<ApplicationMenuAction>, cached);
        QFETCH(bool, needs);
        Fixture f;
        const qint32 pid = f.addApp("App");
        f.desktop.updateProcess(pid, [&](Sim::SimProcess &process) { process.bundleIdentifier = bundle; });
        f.store = f.make(false);
        QVERIFY(f.cache().applicationMenuActionsNeedRefresh(f.app(pid)));
        // An empty list is accepted only after a minute of empty answers.
        f.cache().cacheApplicationMenuActions({ { pid, cached } }, { pid });
        if (cached.isEmpty()) {
            f.clock.advance(MenuActionCache::emptyResultAcceptanceMs);
            f.cache().cacheApplicationMenuActions({ { pid, cached } }, { pid });
        }
        QVERIFY(f.cache().applicationMenuActionsByProcessIdentifier().contains(pid));
        QCOMPARE(f.cache().applicationMenuActionsNeedRefresh(f.app(pid)), needs);
    }

    // An application that has just launched and answers nothing is asked at
    // every running-app refresh for a minute; then its empty list sticks.
    void emptyAnswersAreCachedAfterAMinute()
    {
        Fixture f;
        const qint32 pid = f.addMenuApp("Blank", {});
        f.store = f.make(true);
        QSignalSpy published(&f.cache(), &MenuActionCache::applicationMenuActionsByProcessIdentifierChanged);
        QVERIFY(f.cache().isDiscovering(pid));
        f.background.runAll();
        QCOMPARE(f.walks(pid), 1);
        for (int tick = 1; tick < 12; ++tick) {
            f.clock.advance(TaskbarStore::refreshIntervalMs);
            f.background.runAll();
        }
        // 55 s after the first empty answer: still asked, still no entry.
        QCOMPARE(f.walks(pid), 12);
        QVERIFY(!f.cache().applicationMenuActionsByProcessIdentifier().contains(pid));
        QCOMPARE(published.size(), 0);

        f.clock.advance(TaskbarStore::refreshIntervalMs);
        f.background.runAll();
        QCOMPARE(f.cache().applicationMenuActionsByProcessIdentifier().value(pid), QList<ApplicationMenuAction>());
        QVERIFY(f.cache().applicationMenuActionsByProcessIdentifier().contains(pid));
        QCOMPARE(published.size(), 1);
        f.clock.advance(TaskbarStore::refreshIntervalMs);
        f.background.runAll();
        QCOMPARE(f.walks(pid), 13);
    }

    void explicitRefreshKeepsLongerOrEqualLists()
    {
        Fixture f;
        const qint32 pid = f.addMenuApp("Editor", fileMenu({ item("New Window"), item("New Document") }));
        f.store = f.make(true);
        f.background.runAll();
        QCOMPARE(kinds(f.cache().applicationMenuActions(f.app(pid))), QList({ Kind::newWindow, Kind::newDocument }));
        QSignalSpy published(&f.cache(), &MenuActionCache::applicationMenuActionsByProcessIdentifierChanged);
        QList<QList<Kind>> answers;
        const auto refresh = [&] {
            f.cache().refreshApplicationMenuActions(
                f.app(pid), f.store.get(), [&](QList<ApplicationMenuAction> actions) { answers << kinds(actions); });
            f.background.runAll();
        };

        // Fewer commands than cached: the cache stands and is the answer.
        f.setMenus(pid, fileMenu({ item("New Window") }));
        refresh();
        // The same commands in the same states: nothing is published.
        f.setMenus(pid, fileMenu({ item("New Window"), item("New Document") }));
        refresh();
        QCOMPARE(published.size(), 0);
        // A command that changed state is taken.
        f.setMenus(pid, fileMenu({ item("New Window"), item("New Document", {}, false) }));
        refresh();
        QCOMPARE(published.size(), 1);
        QVERIFY(!f.cache().applicationMenuActions(f.app(pid)).last().isEnabled);
        QCOMPARE(answers.size(), 3);
        for (const QList<Kind> &answer : std::as_const(answers))
            QCOMPARE(answer, QList({ Kind::newWindow, Kind::newDocument }));
    }

    void concurrentRefreshesShareOneWalk()
    {
        Fixture f;
        const qint32 pid = f.addMenuApp("Editor", fileMenu({ item("New Window") }));
        f.store = f.make(false);
        int answered = 0;
        const auto ask = [&] {
            f.cache().refreshApplicationMenuActions(f.app(pid), f.store.get(), [&](QList<ApplicationMenuAction> actions) {
                QCOMPARE(kinds(actions), QList({ Kind::newWindow }));
                ++answered;
            });
        };
        ask();
        ask();
        QCOMPARE(f.background.jobs.size(), 1);
        f.background.runAll();
        QCOMPARE(answered, 2);
        QCOMPARE(f.walks(pid), 1);
        QVERIFY(!f.cache().isRefreshing(pid));

        // The finished walk is gone from the table; the next one is shared anew.
        ask();
        ask();
        QCOMPARE(f.background.jobs.size(), 1);
        f.background.runAll();
        QCOMPARE(answered, 4);
        QCOMPARE(f.walks(pid), 2);
    }

    void activationRefreshIsThrottled()
    {
        Fixture f;
        // New Window is disabled, so the entry stays incomplete whatever is found.
        const qint32 pid = f.addMenuApp("Editor", fileMenu({ item("New Window", {}, false) }));
        f.store = f.make(false);
        f.cache().refreshIncompleteMenuActions(f.app(pid));
        f.clock.advance(0);
        f.background.runAll();
        QCOMPARE(f.walks(pid), 1);
        // Asked once more half a second later.
        f.clock.advance(MenuActionCache::activationRetryDelayMs - 1);
        QVERIFY(f.background.jobs.isEmpty());
        f.clock.advance(1);
        f.background.runAll();
        QCOMPARE(f.walks(pid), 2);

        // A second activation within 10 s asks nothing.
        f.clock.advance(5000);
        f.cache().refreshIncompleteMenuActions(f.app(pid));
        f.clock.advance(1000);
        f.background.runAll();
        QCOMPARE(f.walks(pid), 2);
        f.clock.advance(MenuActionCache::activationRefreshIntervalMs);
        f.cache().refreshIncompleteMenuActions(f.app(pid));
        f.clock.advance(0);
        f.background.runAll();
        QCOMPARE(f.walks(pid), 3);

        // A complete entry needs no activation refresh at all.
        f.setMenus(pid, fileMenu({ item("New Window") }));
        f.clock.advance(MenuActionCache::activationRetryDelayMs);
        f.background.runAll();
        QVERIFY(!f.cache().applicationMenuActionsNeedRefresh(f.app(pid)));
        f.clock.advance(MenuActionCache::activationRefreshIntervalMs);
        const int walks = f.walks(pid);
        f.cache().refreshIncompleteMenuActions(f.app(pid));
        f.clock.advance(1000);
        f.background.runAll();
        QCOMPARE(f.walks(pid), walks);
    }

    void activationOnTheDesktopAsksAnIncompleteApp()
    {
        Fixture f;
        const qint32 pid = f.addMenuApp("Editor", fileMenu({ item("New Window", {}, false) }));
        f.store = f.make(true);
        f.background.runAll();
        QCOMPARE(f.walks(pid), 1);
        f.clock.advance(MenuActionCache::activationRefreshIntervalMs);
        QVERIFY(f.desktop.activate(pid));
        f.clock.runPending();
        QCoreApplication::processEvents();
        f.clock.runPending();
        f.background.runAll();
        QCOMPARE(f.walks(pid), 2);
    }

    void quitDuringDiscoveryAndRevokedTrust()
    {
        Fixture f;
        const qint32 editor = f.addMenuApp("Editor", fileMenu({ item("New Window") }));
        const qint32 player = f.addMenuApp("Player", fileMenu({ item("New Window") }));
        f.store = f.make(true);
        // The player quits while its menus are walked: it gets no entry.
        f.desktop.killProcess(player);
        f.background.runAll();
        QVERIFY(f.cache().applicationMenuActionsByProcessIdentifier().contains(editor));
        QVERIFY(!f.cache().applicationMenuActionsByProcessIdentifier().contains(player));

        // Accessibility revoked: the next running-app refresh empties the cache.
        f.desktop.setAccessibilityTrusted(false);
        f.store->refreshRunningApps();
        QVERIFY(f.cache().applicationMenuActionsByProcessIdentifier().isEmpty());
        QVERIFY(f.background.jobs.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestMenuActionCache)
#include "tst_menuactioncache.moc"
