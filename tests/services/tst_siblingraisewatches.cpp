#include "services/siblingraiseguard.h"

#include "platform/axnames.h"
#include "services/coveredwindow.h"
#include "services/minimizewatch.h"
#include "services/restorewatch.h"
#include "../support/guardworld.h"

#include <QtTest>

using namespace Velmora;
using namespace Velmora::Sim;
using namespace Velmora::Test;

namespace {

// The user had Previous's window p1 in front, then brought App's window a1
// forward over it; App's other windows a2 and a3 lie behind p1.
struct HandOffWorld : GuardWorld
{
    qint32 application = 0, previous = 0;
    quint32 a1 = 0, a2 = 0, a3 = 0, p1 = 0;

    HandOffWorld()
    {
        application = addApp(QStringLiteral("App"));
        previous = addApp(QStringLiteral("Previous"));
        a3 = addWindow(application, QRectF(140, 140, 500, 400), QStringLiteral("a3"));
        a2 = addWindow(application, QRectF(120, 120, 500, 400), QStringLiteral("a2"));
        p1 = addWindow(previous, QRectF(300, 200, 600, 400), QStringLiteral("p1"));
        a1 = addWindow(application, QRectF(100, 100, 500, 400), QStringLiteral("a1"));
        desktop.makeFrontmost(application);
        clock.runPending();
        desktop.clearRequests();
    }

    std::optional<qint32> frontmost() const { return desktop.frontmostPid(); }
    // The taskbar took activation for the press (the focus hand-over).
    void handOverToTaskbar() { desktop.makeFrontmost(desktop.selfPid()); }
};

} // namespace

class TestSiblingRaiseWatches : public QObject
{
    Q_OBJECT

private slots:
    // The application stays active while its window shrinks; when it lands
    // in the Dock the desktop brings a2 up. The watch puts p1 back on top
    // and hands activation to Previous.
    void minimizeKeepsThePreviousWindowOnTop()
    {
        HandOffWorld world;
        world.desktop.beginMinimize(world.a1);
        world.guard.watchMinimize(world.a1, world.app(world.application), {}, world.app(world.previous), false);
        world.lockstep.advance(MinimizeWatch::firstPhaseMs + MinimizeWatch::settleMs + CoveredWindow::handOffMs);
        QCOMPARE(world.threads.runningCount(), 0);
        QCOMPARE(world.stack(), (QList<quint32> { world.p1, world.a2, world.a3 }));
        QCOMPARE(world.frontmost(), world.previous);
    }

    // What each watch counters, with no watch running: the desktop brings
    // the application's other windows up over the window the user had on
    // top, and the application the user came from never gets the front back
    // (after a close the taskbar keeps it).
    void withoutAWatchTheSiblingsRise_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("siblingsRise");
        QTest::newRow("minimize") << QStringLiteral("minimize") << true;
        QTest::newRow("restore") << QStringLiteral("restore") << true;
        QTest::newRow("close") << QStringLiteral("close") << false;
    }

    void withoutAWatchTheSiblingsRise()
    {
        QFETCH(QString, action);
        QFETCH(bool, siblingsRise);
        HandOffWorld world;
        if (action == QLatin1String("minimize")) {
            world.desktop.beginMinimize(world.a1);
        } else if (action == QLatin1String("restore")) {
            world.desktop.updateWindow(world.a1, [](SimWindow &w) { w.minimized = true; });
            world.desktop.makeFrontmost(world.previous);
            world.lockstep.settle();
            world.accessibility.setAttributeValue(
                world.windowElement(world.a1), AXNames::Minimized, AXValue::fromBool(false));
        } else {
            world.handOverToTaskbar();
            world.desktop.beginClose(world.a1);
        }
        world.lockstep.advance(1500);
        const QList<quint32> stack = world.stack();
        if (siblingsRise)
            QVERIFY2(stack.indexOf(world.a2) < stack.indexOf(world.p1), qPrintable(QDebug::toString(stack)));
        QVERIFY(world.frontmost() != world.previous);
    }

    void deactivatingMinimizeHandsOffOnceTheWindowIsGone()
    {
        HandOffWorld world;
        world.handOverToTaskbar();
        world.desktop.beginMinimize(world.a1);
        world.guard.watchMinimize(world.a1, world.app(world.application), {}, world.app(world.previous), true);
        // The window takes 250 ms to leave; no activation goes back before.
        world.lockstep.advance(240);
        QCOMPARE(world.frontmost(), world.desktop.selfPid());
        world.lockstep.advance(30);
        QCOMPARE(world.frontmost(), world.previous);
        QCOMPARE(world.stack().first(), world.p1);
        world.lockstep.advance(CoveredWindow::handOffMs);
        QCOMPARE(world.threads.runningCount(), 0);
    }

    void minimizeWithoutANumberWaitsThenHandsOff()
    {
        HandOffWorld world;
        world.guard.watchMinimize(std::nullopt, world.app(world.application), {}, world.app(world.previous), false);
        world.lockstep.advance(MinimizeWatch::unnumberedWaitMs - 5);
        QCOMPARE(world.frontmost(), world.application);
        world.lockstep.advance(MinimizeWatch::activationGraceMs + 20);
        QCOMPARE(world.frontmost(), world.previous);
        world.lockstep.advance(CoveredWindow::handOffMs);
        QCOMPARE(world.threads.runningCount(), 0);
    }

    // The user went to a third application meanwhile: nothing is handed back.
    void userActivatedSomethingElse_data()
    {
        QTest::addColumn<bool>("deactivated");
        QTest::newRow("deactivating minimize") << true;
        QTest::newRow("minimize") << false;
    }

    void userActivatedSomethingElse()
    {
        QFETCH(bool, deactivated);
        HandOffWorld world;
        const qint32 third = world.addApp(QStringLiteral("Third"));
        world.addWindow(third, QRectF(900, 600, 300, 200));
        if (deactivated)
            world.handOverToTaskbar();
        world.desktop.beginMinimize(world.a1);
        world.guard.watchMinimize(
            world.a1, world.app(world.application), {}, world.app(world.previous), deactivated);
        world.lockstep.advance(100);
        world.desktop.makeFrontmost(third);
        world.lockstep.advance(1500);
        QCOMPARE(world.frontmost(), third);
        QVERIFY(world.desktop.requests(SimOperations::Activate).isEmpty());
    }

    void previousApplicationQuitEndsTheWatch()
    {
        HandOffWorld world;
        world.handOverToTaskbar();
        world.desktop.beginMinimize(world.a1);
        world.guard.watchMinimize(world.a1, world.app(world.application), {}, world.app(world.previous), true);
        world.lockstep.advance(50);
        world.desktop.killProcess(world.previous);
        world.lockstep.advance(1500);
        QCOMPARE(world.frontmost(), world.desktop.selfPid());
    }

    void minimizeThenFocusBringsTheNextWindowAlone()
    {
        HandOffWorld world;
        world.handOverToTaskbar();
        world.desktop.beginMinimize(world.a1);
        world.guard.watchMinimizeThenFocus(world.a1, world.app(world.application), world.windowElement(world.a3),
            world.a3);
        world.lockstep.advance(240);
        QCOMPARE(world.stack().first(), world.a1);
        world.lockstep.advance(MinimizeWatch::firstPhaseMs);
        QCOMPARE(world.stack().first(2), (QList<quint32> { world.a3, world.p1 }));
        QCOMPARE(world.frontmost(), world.application);
        world.lockstep.advance(CoverWatch::durationMs);
        QCOMPARE(world.threads.runningCount(), 0);
    }

    void closeHandsOffToThePreviousApplication()
    {
        HandOffWorld world;
        world.handOverToTaskbar();
        const QSet<quint32> before { world.a1, world.a2, world.a3 };
        world.desktop.beginClose(world.a1);
        world.guard.watchClose(world.a1, world.app(world.application), before, {}, world.app(world.previous));
        world.lockstep.advance(150);
        QCOMPARE(world.frontmost(), world.previous);
        QCOMPARE(world.stack().first(), world.p1);
        world.lockstep.advance(CoveredWindow::handOffMs);
        QCOMPARE(world.threads.runningCount(), 0);
    }

    // The close asks "save changes?": the window stays, and after the wait
    // its application gets the front to ask.
    void closeThatStaysGivesTheApplicationTheFront()
    {
        HandOffWorld world;
        world.desktop.updateWindow(world.a1, [](SimWindow &w) { w.closeShowsSheet = true; });
        world.handOverToTaskbar();
        world.desktop.beginClose(world.a1);
        world.guard.watchClose(world.a1, world.app(world.application), { world.a1, world.a2, world.a3 }, {},
            world.app(world.previous));
        world.lockstep.advance(CoveredWindow::handOffMs);
        QCOMPARE(world.frontmost(), world.desktop.selfPid());
        world.lockstep.advance(600);
        QCOMPARE(world.frontmost(), world.application);
        QCOMPARE(world.threads.runningCount(), 0);
    }

    void closeThatOpensAWindowEndsTheWaitEarly()
    {
        HandOffWorld world;
        world.handOverToTaskbar();
        world.guard.watchClose(world.a1, world.app(world.application), { world.a1, world.a2, world.a3 }, {},
            world.app(world.previous));
        world.lockstep.advance(30);
        world.addWindow(world.application, QRectF(200, 200, 300, 150), QStringLiteral("Save?"));
        world.lockstep.advance(10);
        QCOMPARE(world.frontmost(), world.application);
        QCOMPARE(world.threads.runningCount(), 0);
    }

    // Restoring a1 activates App, whose windows rise in bursts over p1; the
    // watch keeps a1 in front, p1 directly behind it.
    void restoreKeepsTheCoveredWindowBehindTheRestoredOne()
    {
        HandOffWorld world;
        world.desktop.updateWindow(world.a1, [](SimWindow &w) { w.minimized = true; });
        world.desktop.makeFrontmost(world.previous);
        world.lockstep.settle();
        const QSet<quint32> known { world.a1, world.a2, world.a3 };
        world.guard.watchRestore(world.windowElement(world.a1), world.a1, world.app(world.application), known,
            world.p1, world.app(world.previous));
        world.lockstep.settle();
        world.accessibility.setAttributeValue(
            world.windowElement(world.a1), AXNames::Minimized, AXValue::fromBool(false));
        world.lockstep.advance(RestoreWatch::durationMs + 10);
        QCOMPARE(world.threads.runningCount(), 0);
        QCOMPARE(world.stack(), (QList<quint32> { world.a1, world.p1, world.a2, world.a3 }));
    }

    void restoreWatchEndsWhenAThirdApplicationComesForward()
    {
        HandOffWorld world;
        const qint32 third = world.addApp(QStringLiteral("Third"));
        const quint32 t1 = world.addWindow(third, QRectF(900, 600, 300, 200));
        world.desktop.setStackingOrder({ world.a1, world.p1, world.a2, world.a3 });
        world.guard.watchRestore(world.windowElement(world.a1), world.a1, world.app(world.application),
            { world.a1, world.a2, world.a3 }, world.p1, world.app(world.previous));
        world.lockstep.advance(10);
        QCOMPARE(world.threads.runningCount(), 1);
        world.desktop.focusWindow(t1);
        world.lockstep.advance(4);
        QCOMPARE(world.threads.runningCount(), 0);
    }

    // Once the restored window has shown, a sibling coming to the
    // application's front means the application chose it: the watch ends.
    void restoreWatchEndsWhenASiblingTakesTheFront()
    {
        HandOffWorld world;
        world.guard.watchRestore(world.windowElement(world.a1), world.a1, world.app(world.application),
            { world.a1, world.a2, world.a3 }, world.p1, world.app(world.previous));
        world.lockstep.advance(10);
        world.desktop.setStackingOrder({ world.p1, world.a2, world.a1 });
        world.lockstep.advance(4);
        QCOMPARE(world.threads.runningCount(), 0);
        QCOMPARE(world.stack().first(), world.p1);
    }

    // A restore watch records the covered window; a later close of the same
    // covered window reuses its element instead of searching for it again.
    void closeReusesTheElementTheRestoreFound()
    {
        HandOffWorld world;
        world.desktop.setStackingOrder({ world.p1, world.a1, world.a2, world.a3 });
        world.desktop.makeFrontmost(world.previous);
        world.guard.watchRestore(world.windowElement(world.a1), world.a1, world.app(world.application),
            { world.a1, world.a2, world.a3 }, world.p1, world.app(world.previous));
        world.lockstep.advance(RestoreWatch::durationMs + 10);
        const qsizetype searchesBefore = world.desktop.requests(SimOperations::CopyAttributeValue).size();
        world.handOverToTaskbar();
        world.desktop.beginClose(world.a1);
        const QSet<quint32> windows { world.a1, world.a2, world.a3 };
        world.guard.watchClose(world.a1, world.app(world.application), windows, windows, world.app(world.previous));
        world.lockstep.advance(CloseWatchLimitMs);
        QCOMPARE(world.desktop.requests(SimOperations::CopyAttributeValue).size(), searchesBefore);
        QCOMPARE(world.frontmost(), world.previous);
    }

private:
    static constexpr qint64 CloseWatchLimitMs = 1500;
};

QTEST_GUILESS_MAIN(TestSiblingRaiseWatches)
#include "tst_siblingraisewatches.moc"
