#include "services/windowworkareaobserver.h"

#include "support/servicesworld.h"

#include "platform/axnames.h"

#include <QTest>

using namespace Velmora;
using Observer = WindowWorkAreaObserver;
using Velmora::Test::ServicesWorld;

namespace {

struct ObserverWorld : ServicesWorld
{
    // When each window was handed over, on the monotonic clock.
    QList<QPair<quint32, qint64>> handed;
    Observer observer { accessibility, workspace, clock, clock, [this](const AXElement &window) {
                           handed.append({ windowNumber(window), clock.monotonicMs() });
                       } };
    qint32 editor = addApp("Editor");
    qint64 start = clock.monotonicMs();

    quint32 windowNumber(const AXElement &element) const
    {
        const auto node = desktop.resolve(element);
        return node ? node->window : 0;
    }

    // Registrations done and notifications delivered, without moving time.
    void settle()
    {
        QVERIFY(observer.waitForRegistrations(10000));
        clock.runPending();
    }

    void resize(quint32 window, double height)
    {
        QRectF bounds = desktop.window(window)->bounds;
        bounds.setHeight(height);
        desktop.moveWindow(window, bounds);
        settle();
    }

    qint64 elapsed() const { return clock.monotonicMs() - start; }
};

} // namespace

class TestWindowWorkAreaObserver : public QObject
{
    Q_OBJECT
private slots:
    void aNewWindowIsHandedOverOnceItSettles()
    {
        ObserverWorld world;
        world.observer.refreshApplications();
        world.settle();
        const quint32 window = world.addWindow(world.editor, { 100, 100, 500, 400 });
        world.settle();
        world.clock.advance(Observer::settleDelayMs - 1);
        QVERIFY(world.handed.isEmpty());
        world.clock.advance(1);
        QCOMPARE(world.handed, (QList<QPair<quint32, qint64>> { { window, world.start + 200 } }));
    }

    void aBurstOfResizesIsHandedOverOnceAfterTheLast()
    {
        ObserverWorld world;
        const quint32 window = world.addWindow(world.editor, { 100, 100, 500, 400 });
        const quint32 other = world.addWindow(world.editor, { 700, 100, 500, 400 });
        world.observer.refreshApplications();
        world.settle();
        world.clock.advance(1000);
        // Windows that were there already are watched, not adjusted.
        QVERIFY(world.handed.isEmpty());

        world.start = world.clock.monotonicMs();
        for (int step = 0; step < 5; ++step) {
            world.resize(window, 400 + 10 * step);
            world.clock.advance(150);
        }
        world.resize(other, 300);
        world.clock.advance(1000);
        // The last resize of `window` came at 600 ms; `other`'s at 750 ms.
        QCOMPARE(world.handed,
            (QList<QPair<quint32, qint64>> { { window, world.start + 800 }, { other, world.start + 950 } }));
    }

    void suppressionHoldsTheWindowBack()
    {
        ObserverWorld world;
        const quint32 window = world.addWindow(world.editor, { 100, 100, 500, 400 });
        world.observer.refreshApplications();
        world.settle();

        world.observer.suppressAdjustments(world.desktop.windowElement(window), 1000);
        world.clock.advance(300);
        // The taskbar moves the window itself meanwhile.
        world.resize(window, 380);
        world.clock.advance(500);
        QVERIFY(world.handed.isEmpty());
        world.clock.advance(2000);
        QCOMPARE(world.handed, (QList<QPair<quint32, qint64>> { { window, world.start + 1000 } }));

        // Once the suppression has passed, events are handled as usual.
        world.start = world.clock.monotonicMs();
        world.resize(window, 390);
        world.clock.advance(1000);
        QCOMPARE(world.handed.size(), 2);
        QCOMPARE(world.handed.last().second, world.start + 200);
    }

    void watchesOnlyRegularApplicationsWhileTrusted()
    {
        ObserverWorld world;
        const qint32 helper = world.addApp("Helper");
        world.desktop.updateProcess(helper, [](Sim::SimProcess &p) { p.policy = ActivationPolicy::Accessory; });
        const qint32 self = world.desktop.selfPid();
        world.desktop.updateProcess(self, [](Sim::SimProcess &p) { p.policy = ActivationPolicy::Regular; });
        world.observer.refreshApplications();
        world.settle();

        const quint32 editorWindow = world.addWindow(world.editor, { 100, 100, 500, 400 });
        world.addWindow(helper, { 100, 100, 500, 400 });
        world.addWindow(self, { 100, 100, 500, 400 });
        world.settle();
        world.clock.advance(1000);
        QCOMPARE(world.handed.size(), 1);
        QCOMPARE(world.handed.first().first, editorWindow);

        // Trust lost: nothing is watched any more.
        world.desktop.setAccessibilityTrusted(false);
        world.observer.refreshApplications();
        world.desktop.setAccessibilityTrusted(true);
        world.addWindow(world.editor, { 100, 100, 500, 400 });
        world.settle();
        world.clock.advance(1000);
        QCOMPARE(world.handed.size(), 1);

        // A refresh watches again.
        world.observer.refreshApplications();
        world.addWindow(world.editor, { 100, 100, 500, 400 });
        world.settle();
        world.clock.advance(1000);
        QCOMPARE(world.handed.size(), 2);
    }

    void aReusedProcessIdentifierIsWatchedAfresh()
    {
        ObserverWorld world;
        world.observer.refreshApplications();
        world.settle();
        world.desktop.killProcess(world.editor);
        world.clock.advance(10);
        const qint32 again = world.addApp("Editor", world.editor);
        QCOMPARE(again, world.editor);
        world.observer.refreshApplications();
        world.settle();

        world.addWindow(again, { 100, 100, 500, 400 });
        world.settle();
        world.clock.advance(1000);
        QCOMPARE(world.handed.size(), 1);
    }

    void anApplicationThatCannotBeWatchedIsTriedAgain()
    {
        ObserverWorld world;
        world.desktop.injectFailure(Sim::SimFailure::on(Sim::SimOperations::CreateObserver).once());
        world.observer.refreshApplications();
        world.observer.refreshApplications();
        world.settle();
        world.addWindow(world.editor, { 100, 100, 500, 400 });
        world.settle();
        world.clock.advance(1000);
        QCOMPARE(world.handed.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestWindowWorkAreaObserver)
#include "tst_windowworkareaobserver.moc"
