#include "services/siblingraiseguard.h"

#include "platform/axnames.h"
#include "../support/guardworld.h"

#include <QtTest>

using namespace Velmora;
using namespace Velmora::Sim;
using namespace Velmora::Test;
using Cover = SiblingRaiseGuard::Cover;
using Row = SiblingRaiseGuard::StackEntry;
using Entry = MinimizeButtonHitTest::WindowEntry;

Q_DECLARE_METATYPE(QList<Cover>)
Q_DECLARE_METATYPE(QList<Row>)
Q_DECLARE_METATYPE(QList<Entry>)

namespace {

// Target's siblings t2..t4 lie under windows of two other applications,
// c1 in front of d1; the window to focus, t1, lies behind them, covered by
// nothing.
struct CoveredSiblingsWorld : GuardWorld
{
    qint32 target = 0, other = 0, third = 0;
    quint32 t1 = 0, t2 = 0, t3 = 0, t4 = 0, c1 = 0, d1 = 0;

    CoveredSiblingsWorld()
    {
        target = addApp(QStringLiteral("Target"));
        other = addApp(QStringLiteral("Other"));
        third = addApp(QStringLiteral("Third"));
        t1 = addWindow(target, QRectF(600, 100, 500, 400), QStringLiteral("t1"));
        t2 = addWindow(target, QRectF(100, 100, 500, 400), QStringLiteral("t2"));
        t3 = addWindow(target, QRectF(120, 120, 500, 400), QStringLiteral("t3"));
        t4 = addWindow(target, QRectF(140, 140, 500, 400), QStringLiteral("t4"));
        c1 = addWindow(other, QRectF(50, 50, 300, 300), QStringLiteral("c1"));
        d1 = addWindow(third, QRectF(200, 200, 300, 300), QStringLiteral("d1"));
        desktop.setStackingOrder({ c1, d1, t2, t3, t4, t1 });
        desktop.makeFrontmost(other);
        clock.runPending();
        desktop.clearRequests();
    }

    // What focusing t1 does when the private front call is not there: t1 is
    // made main, the watch starts, the application is activated (its other
    // windows follow in delayed bursts), and t1 is raised.
    void focusT1(bool watch)
    {
        const AXElement element = windowElement(t1);
        accessibility.setAttributeValue(element, AXNames::Main, AXValue::fromBool(true));
        if (watch) {
            guard.watchFocus(element, t1, app(target));
            lockstep.settle();
        }
        workspace.activate(target, 0);
        accessibility.performAction(element, AXNames::Raise);
    }
};

} // namespace

class TestSiblingRaiseGuard : public QObject
{
    Q_OBJECT

private slots:
    void isSibling_data()
    {
        QTest::addColumn<QList<Row>>("rows");
        QTest::addColumn<bool>("above");
        QTest::newRow("sibling in front") << QList<Row> { { 5, 1 }, { 7, 2 } } << true;
        QTest::newRow("window in front") << QList<Row> { { 7, 2 }, { 5, 1 } } << false;
        QTest::newRow("window missing") << QList<Row> { { 5, 1 } } << false;
        QTest::newRow("other window in front") << QList<Row> { { 9, 3 }, { 7, 2 }, { 5, 1 } } << false;
    }

    void isSibling()
    {
        QFETCH(QList<Row>, rows);
        QFETCH(bool, above);
        QCOMPARE(SiblingRaiseGuard::isSibling({ 5, 6 }, 7, rows), above);
    }

    void covers_data()
    {
        QTest::addColumn<QList<Entry>>("entries");
        QTest::addColumn<QList<Cover>>("covers");
        const QRectF r(100, 100, 400, 300);
        // Process 10 is the application, 99 this process.
        QTest::newRow("one cover per sibling it covers")
            << QList<Entry> { { 1, 20, r }, { 2, 10, r }, { 3, 10, r.translated(10, 10) } }
            << QList<Cover> { { 1, 20, 2, 0 }, { 1, 20, 3, 0 } };
        QTest::newRow("touching edges")
            << QList<Entry> { { 1, 20, QRectF(500, 100, 100, 100) }, { 2, 10, r } } << QList<Cover> {};
        QTest::newRow("under a point of overlap")
            << QList<Entry> { { 1, 20, QRectF(499.5, 100, 100, 100) }, { 2, 10, r } } << QList<Cover> {};
        QTest::newRow("one point of overlap")
            << QList<Entry> { { 1, 20, QRectF(499, 399, 100, 100) }, { 2, 10, r } }
            << QList<Cover> { { 1, 20, 2, 0 } };
        QTest::newRow("own windows and the excluded window cover nothing")
            << QList<Entry> { { 1, 99, r }, { 7, 20, r }, { 4, 10, r }, { 2, 10, r } }
            << QList<Cover> { { 7, 20, 2, 1 } };
        QTest::newRow("behind the sibling") << QList<Entry> { { 2, 10, r }, { 1, 20, r } } << QList<Cover> {};
    }

    void covers()
    {
        QFETCH(QList<Entry>, entries);
        QFETCH(QList<Cover>, covers);
        QCOMPARE(CoverWatch::covers(entries, 10, 99, 4u), covers);
    }

    void coversToRestore_data()
    {
        QTest::addColumn<QList<Row>>("rows");
        QTest::addColumn<QList<quint32>>("raise");
        // Window 1 (depth 0) and window 3 (depth 3) covered siblings 5 and 6.
        QTest::newRow("deepest first, each once")
            << QList<Row> { { 5, 10 }, { 6, 10 }, { 1, 20 }, { 3, 30 } } << QList<quint32> { 3, 1 };
        QTest::newRow("still covering") << QList<Row> { { 1, 20 }, { 3, 30 }, { 5, 10 }, { 6, 10 } }
                                        << QList<quint32> {};
        QTest::newRow("one sibling rose") << QList<Row> { { 1, 20 }, { 6, 10 }, { 3, 30 }, { 5, 10 } }
                                         << QList<quint32> { 3 };
        QTest::newRow("covering window gone") << QList<Row> { { 5, 10 }, { 6, 10 }, { 1, 20 } }
                                              << QList<quint32> { 1 };
    }

    void coversToRestore()
    {
        QFETCH(QList<Row>, rows);
        QFETCH(QList<quint32>, raise);
        const QList<Cover> covers { { 1, 20, 5, 0 }, { 1, 20, 6, 0 }, { 3, 30, 5, 3 }, { 3, 30, 6, 3 } };
        QCOMPARE(SiblingRaiseGuard::coversToRestore(covers, rows), raise);
    }

    void stackReaders()
    {
        InterleavedWorld world;
        world.desktop.updateWindow(world.a2, [](SimWindow &w) { w.bounds.setWidth(79); });
        QCOMPARE(world.listed(WindowList::OnScreenExceptDesktop).size(), 4);
        WindowStack stack(world.windowList);
        QCOMPARE(stack.entries(),
            (QList<Row> { { world.b1, world.beta }, { world.a1, world.alpha }, { world.b2, world.beta } }));
        QCOMPARE(stack.windowIDs(world.alpha), (QSet<quint32> { world.a1 }));
        QVERIFY(stack.isOnScreen(world.a1));
        QVERIFY(stack.isSiblingAbove({ world.b1 }, world.a1));
        QVERIFY(!stack.isSiblingAbove({ world.b2 }, world.a1));
        QCOMPARE(stack.frame(world.a1), QRectF(100, 100, 600, 400));
        world.desktop.updateWindow(world.a1, [](SimWindow &w) { w.minimized = true; });
        QVERIFY(!stack.isOnScreen(world.a1));
        QVERIFY(!stack.frame(world.a1));
        QVERIFY(!stack.isOnScreen(4242));
    }

    // The desktop raises the application's other windows in bursts after
    // the activation; the watch puts the covering windows back over them
    // each time, in their old order, and keeps the focused window in front.
    void focusKeepsCoveringWindowsInOrder()
    {
        CoveredSiblingsWorld world;
        world.focusT1(true);
        world.lockstep.advance(CoverWatch::durationMs + 50);
        QCOMPARE(world.stack(),
            (QList<quint32> { world.t1, world.c1, world.d1, world.t2, world.t3, world.t4 }));
    }

    // Without the watch the siblings end above the windows that covered them.
    void withoutTheWatchSiblingsRise()
    {
        CoveredSiblingsWorld world;
        world.focusT1(false);
        world.lockstep.advance(CoverWatch::durationMs + 50);
        QCOMPARE(world.stack().mid(0, 4), (QList<quint32> { world.t1, world.t2, world.t3, world.t4 }));
    }

    void userInputEndsTheWatch()
    {
        CoveredSiblingsWorld world;
        world.focusT1(true);
        world.lockstep.advance(20);
        world.desktop.mouseEvent(InputEventType::LeftMouseDown, QPointF(1300, 800));
        world.lockstep.advance(CoverWatch::durationMs);
        // The bursts after the click are left alone.
        QCOMPARE(world.stack().mid(0, 4), (QList<quint32> { world.t1, world.t2, world.t3, world.t4 }));
        QCOMPARE(world.threads.runningCount(), 0);
    }

    void inputBeforeTheWatchDoesNotEndIt()
    {
        CoveredSiblingsWorld world;
        world.desktop.mouseEvent(InputEventType::LeftMouseDown, QPointF(1300, 800));
        world.desktop.pressKey(KeyEvent {});
        world.lockstep.advance(5);
        world.focusT1(true);
        world.lockstep.advance(CoverWatch::durationMs + 50);
        QCOMPARE(world.stack().first(2), (QList<quint32> { world.t1, world.c1 }));
    }

    void aNewerWatchEndsTheRunningOne()
    {
        CoveredSiblingsWorld world;
        world.focusT1(true);
        world.lockstep.advance(10);
        QCOMPARE(world.threads.runningCount(), 1);
        // An application with no covered window starts nothing, but ends the first watch.
        world.guard.watchActivation(world.app(world.other));
        world.lockstep.advance(4);
        QCOMPARE(world.threads.runningCount(), 0);
    }

    void watchLastsItsTimeAndRaisesAtMostEvery10ms()
    {
        CoveredSiblingsWorld world;
        world.focusT1(true);
        // A sibling pushed up again and again, every 2 ms.
        for (int i = 0; i < 30; ++i) {
            world.desktop.raiseWindow(world.t3);
            world.lockstep.advance(2);
        }
        // 60 ms: at most one burst per 10 ms (plus the first).
        QVERIFY2(world.raisesOf(world.c1) <= 7, qPrintable(QString::number(world.raisesOf(world.c1))));
        QVERIFY(world.raisesOf(world.c1) >= 5);
        world.lockstep.advance(CoverWatch::durationMs - 60 - 5);
        QCOMPARE(world.threads.runningCount(), 1);
        world.lockstep.advance(10);
        QCOMPARE(world.threads.runningCount(), 0);
    }

    // The watches on their own threads, free-running: each sleeps on the
    // virtual clock, which moves as they sleep, and ends by its deadline.
    void freeRunningWatchesEndOnTheirOwn()
    {
        CoveredSiblingsWorld world;
        world.threads.setPacer(nullptr);
        // The siblings are already up over c1 and d1 when the watches start.
        world.guard.watchPress(world.app(world.target));
        world.desktop.setStackingOrder({ world.t2, world.t3, world.t4, world.c1, world.d1 });
        world.guard.watchFocus(world.windowElement(world.t1), world.t1, world.app(world.target));
        world.guard.watchRestore(world.windowElement(world.t1), world.t1, world.app(world.target),
            { world.t1, world.t2 }, world.c1, world.app(world.other));
        world.guard.watchClose(world.t4, world.app(world.target), { world.t4 }, {}, world.app(world.other));
        world.guard.watchMinimize(world.t3, world.app(world.target), {}, world.app(world.third), true);
        QVERIFY(world.threads.waitForAll(20000));
        QCoreApplication::processEvents();
        const QList<quint32> stack = world.stack();
        QVERIFY(stack.indexOf(world.c1) < stack.indexOf(world.t2));
    }

    void noWatchWithoutTrust()
    {
        CoveredSiblingsWorld world;
        world.desktop.setAccessibilityTrusted(false);
        world.guard.watchFocus(world.windowElement(world.t1), world.t1, world.app(world.target));
        QCOMPARE(world.threads.runningCount(), 0);
    }

    void frontWindowAboveOtherApplication()
    {
        CoveredSiblingsWorld covered;
        // t2 is Target's front window, with Target's own t3 right below it.
        QVERIFY(!covered.guard.frontWindowAboveOtherApplication(covered.app(covered.target)));
        // Now Other's c1 lies right below it.
        covered.desktop.setStackingOrder({ covered.t2, covered.c1 });
        QCOMPARE(covered.guard.frontWindowAboveOtherApplication(covered.app(covered.target)), covered.t2);
        QVERIFY(!covered.guard.frontWindowAboveOtherApplication(covered.app(covered.addApp(QStringLiteral("None")))));
    }

    void watchActivationNamesTheFrontWindow()
    {
        CoveredSiblingsWorld world;
        QCOMPARE(world.guard.watchActivation(world.app(world.target)), world.t2);
        QCOMPARE(world.threads.runningCount(), 1);
        QVERIFY(!world.guard.watchActivation(world.app(world.addApp(QStringLiteral("Empty")))));
    }

    // A press in a flyout notes the stack; a focus within a second uses it,
    // not the stack as the press already changed it.
    void pressSnapshot_data()
    {
        QTest::addColumn<qint64>("delayMs");
        QTest::addColumn<bool>("sameProcess");
        QTest::addColumn<bool>("snapshotUsed");
        QTest::newRow("fresh") << qint64(500) << true << true;
        QTest::newRow("a second old") << qint64(1000) << true << false;
        QTest::newRow("other process") << qint64(10) << false << false;
    }

    void pressSnapshot()
    {
        QFETCH(qint64, delayMs);
        QFETCH(bool, sameProcess);
        QFETCH(bool, snapshotUsed);
        CoveredSiblingsWorld world;
        world.guard.watchPress(world.app(sameProcess ? world.target : world.third));
        world.lockstep.advance(delayMs);
        // Meanwhile the siblings came up over c1 and d1.
        world.desktop.setStackingOrder({ world.t2, world.t3, world.t4, world.c1, world.d1 });
        world.guard.watchFocus(world.windowElement(world.t1), world.t1, world.app(world.target));
        world.lockstep.advance(30);
        const QList<quint32> stack = world.stack();
        QCOMPARE(stack.indexOf(world.c1) < stack.indexOf(world.t2), snapshotUsed);
    }
};

QTEST_GUILESS_MAIN(TestSiblingRaiseGuard)
#include "tst_siblingraiseguard.moc"
