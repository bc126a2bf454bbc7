#include "services/windowminimizeinterceptor.h"

#include "support/servicesworld.h"

#include <QTest>

using namespace Velmora;
using Velmora::Test::ServicesWorld;

namespace {

struct InterceptorWorld : ServicesWorld
{
    QList<QPair<InputEventType, QPointF>> heard;
    WindowMinimizeInterceptor interceptor { platform.eventTaps, [this](InputEventType type, const QPointF &location) {
                                               heard.append({ type, location });
                                           } };

    int tapsCreated() const { return callsTo(Sim::SimOperations::CreateMouseTap); }
};

} // namespace

class TestWindowMinimizeInterceptor : public QObject
{
    Q_OBJECT
private slots:
    void hearsPressesWithoutStoppingThem()
    {
        InterceptorWorld world;
        const qint32 pid = world.addApp("Editor");
        world.addWindow(pid, { 100, 100, 600, 400 });
        world.interceptor.start();
        QVERIFY(world.interceptor.isStarted());

        world.desktop.click({ 300, 300 });
        const QList<QPair<InputEventType, QPointF>> expected { { InputEventType::LeftMouseDown, QPointF(300, 300) },
            { InputEventType::LeftMouseUp, QPointF(300, 300) } };
        QCOMPARE(world.heard, expected);
        // The click reached the window under it.
        QCOMPARE(world.desktop.frontmostPid(), pid);
    }

    void turnsItselfBackOnWhenTheSystemTurnsItOff()
    {
        InterceptorWorld world;
        world.interceptor.start();
        world.desktop.disableEventTaps(InputEventType::TapDisabledByTimeout);
        QVERIFY(world.heard.isEmpty());
        world.desktop.click({ 10, 10 });
        QCOMPARE(world.heard.size(), 2);
    }

    void startsOnceAndAsksAgainAfterARefusal()
    {
        InterceptorWorld world;
        world.desktop.injectFailure(Sim::SimFailure::on(Sim::SimOperations::CreateMouseTap).once());
        world.interceptor.start();
        QVERIFY(!world.interceptor.isStarted());
        world.interceptor.start();
        world.interceptor.start();
        QVERIFY(world.interceptor.isStarted());
        QCOMPARE(world.tapsCreated(), 2);

        world.interceptor.stop();
        world.interceptor.stop();
        QVERIFY(!world.interceptor.isStarted());
        world.desktop.click({ 10, 10 });
        QVERIFY(world.heard.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestWindowMinimizeInterceptor)
#include "tst_windowminimizeinterceptor.moc"
