#include "platform/sim/simoperations.h"
#include "store/windowwatchers.h"
#include "clicksworld.h"
#include "../support/watchlockstep.h"

#include <QTest>

using namespace Velmora;
using namespace Velmora::Sim;

namespace {

// The user had Previous's window p1 in front, then brought App's window a1
// forward over it; App's other windows a2 and a3 lie behind p1. The store
// watches the system with its taps, over the real sibling-raise guard.
struct OrderWorld : Test::ClicksWorld
{
    qint32 application = addApp("App");
    qint32 previous = addApp("Previous");
    quint32 a3 = addWindow(application, QRectF(140, 140, 500, 400), "a3");
    quint32 a2 = addWindow(application, QRectF(120, 120, 500, 400), "a2");
    quint32 p1 = addWindow(previous, QRectF(300, 200, 600, 400), "p1");
    quint32 a1 = addWindow(application, QRectF(100, 100, 500, 400), "a1");
    std::unique_ptr<Test::WatchLockstep> lockstep;
    std::unique_ptr<TaskbarStore> store;

    explicit OrderWorld(bool keepWindowOrder, bool trusted = true)
    {
        storeGuard = &services;
        desktop.setAccessibilityTrusted(trusted);
        lockstep = std::make_unique<Test::WatchLockstep>(clock, threads);
        desktop.makeFrontmost(application);
        clock.runPending();
        store = makeStore(true);
        store->setKeepWindowOrder(keepWindowOrder);
        settle();
    }
    ~OrderWorld()
    {
        store.reset();
        lockstep.reset();
    }

    // The user clicks a title-bar button of a1.
    void clickButton(SimNode::Kind kind)
    {
        desktop.click(SimDesktop::buttonFrame(*desktop.window(a1), kind).center());
        QCoreApplication::processEvents();
        settle();
        lockstep->advance(1500);
    }
    quint32 front() const { return listed(WindowList::OnScreenExceptDesktop).value(0); }
};

} // namespace

// With "Keep window order" on, minimizing or closing the front window leaves
// the window that was in front before, of another application, in front,
// and that application active; without it, the application's next window
// rises over it.
class TestKeepWindowOrder : public QObject
{
    Q_OBJECT
private slots:
    void frontWindowGoes_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("keepWindowOrder");
        QTest::newRow("minimize") << int(SimNode::Kind::MinimizeButton) << true;
        QTest::newRow("close") << int(SimNode::Kind::CloseButton) << true;
        QTest::newRow("minimize, order not kept") << int(SimNode::Kind::MinimizeButton) << false;
    }
    void frontWindowGoes()
    {
        QFETCH(int, button);
        QFETCH(bool, keepWindowOrder);
        OrderWorld world(keepWindowOrder);
        QVERIFY(world.store->windowWatchers());
        QCOMPARE(world.store->windowWatchers()->areTapsStarted(), keepWindowOrder);

        world.clickButton(SimNode::Kind(button));
        QVERIFY(!world.desktop.window(world.a1) || world.desktop.window(world.a1)->minimized);
        if (keepWindowOrder) {
            QCOMPARE(world.front(), world.p1);
            QCOMPARE(world.desktop.frontmostPid(), world.previous);
        } else {
            QCOMPARE(world.front(), world.a2);
            QCOMPARE(world.desktop.frontmostPid(), world.application);
        }
    }

    // Accessibility granted while the bar runs: the taps are up within one
    // refresh tick, without a restart.
    void tapsStartWithinOneTickOfTheGrant()
    {
        OrderWorld world(true, false);
        QVERIFY(!world.store->windowWatchers()->areTapsStarted());
        world.desktop.setAccessibilityTrusted(true);
        world.clock.advance(TaskbarStore::refreshIntervalMs);
        QVERIFY(world.store->windowWatchers()->areTapsStarted());
        QCOMPARE(world.desktop.requests(SimOperations::CreateMouseTap).size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestKeepWindowOrder)
#include "tst_keepwindoworder.moc"
