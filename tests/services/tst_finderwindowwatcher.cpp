#include "services/finderwindowwatcher.h"

#include "support/servicesworld.h"

#include <QTest>

using namespace Velmora;
using Velmora::Test::ServicesWorld;

namespace {

struct FinderWorld : ServicesWorld
{
    QList<bool> changes;
    std::unique_ptr<FinderWindowWatcher> watcher;

    qint32 launchFinder()
    {
        Sim::SimProcess process;
        process.name = "Finder";
        process.bundleIdentifier = "com.apple.finder";
        return desktop.addProcess(process);
    }

    void watch()
    {
        watcher = std::make_unique<FinderWindowWatcher>(
            accessibility, windowList, workspace, clock, [this](bool hasWindows) { changes << hasWindows; });
    }
};

} // namespace

class TestFinderWindowWatcher : public QObject
{
    Q_OBJECT
private slots:
    void reportsOnlyChanges()
    {
        FinderWorld world;
        const qint32 finder = world.launchFinder();
        world.addWindow(finder, { 100, 100, 600, 400 }, "Documents");
        world.watch();
        QVERIFY(world.watcher->hasWindows());
        QVERIFY(world.changes.isEmpty());

        world.watcher->refresh();
        world.watcher->refresh();
        QVERIFY(world.changes.isEmpty());

        // Finder quits with its windows open, and comes back with one.
        world.desktop.killProcess(finder);
        world.watcher->refresh();
        world.watcher->refresh();
        QCOMPARE(world.changes, QList<bool> { false });
        const qint32 again = world.launchFinder();
        world.addWindow(again, { 100, 100, 600, 400 }, "Home");
        world.watcher->refresh();
        QCOMPARE(world.changes, (QList<bool> { false, true }));
    }

    void answersFinderEventsAtOnceAndOnceMoreLater()
    {
        FinderWorld world;
        const qint32 finder = world.launchFinder();
        world.watch();
        QVERIFY(!world.watcher->hasWindows());

        const quint32 window = world.addWindow(finder, { 100, 100, 600, 400 }, "Documents");
        world.clock.runPending();
        QCOMPARE(world.changes, QList<bool> { true });

        // A burst of events (two small panels opening), and the window server
        // drops the window without a further event.
        world.addWindow(finder, { 0, 0, 50, 50 }, "Panel");
        world.clock.runPending();
        world.clock.advance(100);
        world.addWindow(finder, { 0, 0, 50, 50 }, "Panel");
        world.clock.runPending();
        world.desktop.updateWindow(window, [](Sim::SimWindow &w) { w.inWindowList = false; });
        world.clock.advance(FinderWindowWatcher::recheckDelayMs - 1);
        QCOMPARE(world.changes, QList<bool> { true });
        world.clock.advance(1);
        QCOMPARE(world.changes, (QList<bool> { true, false }));
    }

    void followsTheWindowListWithoutAccessibility()
    {
        FinderWorld world;
        world.desktop.setAccessibilityTrusted(false);
        const qint32 finder = world.launchFinder();
        world.watch();
        world.addWindow(finder, { 100, 100, 600, 400 }, "Documents");
        world.clock.advance(1000);
        QVERIFY(world.changes.isEmpty());
        world.watcher->refresh();
        QCOMPARE(world.changes, QList<bool> { true });
    }
};

QTEST_GUILESS_MAIN(TestFinderWindowWatcher)
#include "tst_finderwindowwatcher.moc"
