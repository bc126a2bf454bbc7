#include "platform/sim/simworld.h"

#include <QTest>

using namespace Velmora;
using namespace Velmora::Sim;

namespace {

// Two applications with interleaved windows, front to back b1 a1 b2 a2, and a
// panel of B's on a higher layer.
struct Stack {
    SimWorld world;
    qint32 a = 0, b = 0;
    quint32 a1 = 0, a2 = 0, b1 = 0, b2 = 0, panel = 0;
    QMap<quint32, QString> names;

    Stack()
    {
        SimProcess process;
        process.name = "A";
        a = world.addProcess(process, 0);
        process.name = "B";
        b = world.addProcess(process, 0);
        a2 = add(a, "a2", QRectF(150, 150, 600, 400));
        b2 = add(b, "b2", QRectF(50, 500, 500, 300));
        a1 = add(a, "a1", QRectF(100, 100, 600, 400));
        b1 = add(b, "b1", QRectF(400, 300, 600, 400));
        panel = add(b, "panel", QRectF(0, 850, 1440, 50), 3);
        world.bringToFront({b1}); // a window of a lower layer in front does not pass the panel
    }

    quint32 add(qint32 owner, const QString &name, const QRectF &bounds, qint64 layer = 0)
    {
        SimWindow window;
        window.ownerPid = owner;
        window.bounds = bounds;
        window.layer = layer;
        const quint32 number = world.addWindow(window);
        names.insert(number, name);
        return number;
    }

    QStringList order() const
    {
        QStringList result;
        for (quint32 number : world.stackingOrder())
            result.append(names.value(number, QString::number(number)));
        return result;
    }
};

} // namespace

class TestSimWorld : public QObject
{
    Q_OBJECT
private slots:
    void stackingOrder_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QString>("focusedOfA");
        QTest::newRow("as added") << "" << QStringList{"panel", "b1", "a1", "b2", "a2"} << "a1";
        QTest::newRow("to the front") << "front a2" << QStringList{"panel", "a2", "b1", "a1", "b2"} << "a2";
        QTest::newRow("in front of its siblings only")
            << "siblings a2" << QStringList{"panel", "b1", "a2", "a1", "b2"} << "a2";
        QTest::newRow("already in front of its siblings")
            << "siblings a1" << QStringList{"panel", "b1", "a1", "b2", "a2"} << "a1";
        QTest::newRow("a new order; unknown and repeated numbers ignored")
            << "order" << QStringList{"panel", "a2", "b2", "b1", "a1"} << "a2";
        QTest::newRow("a removed window") << "remove a1" << QStringList{"panel", "b1", "b2", "a2"} << "a2";
    }
    void stackingOrder()
    {
        QFETCH(QString, change);
        QFETCH(QStringList, expected);
        QFETCH(QString, focusedOfA);
        Stack s;
        if (change == "front a2")
            s.world.bringToFront({s.a2});
        else if (change == "siblings a2")
            s.world.placeInFrontOfSiblings(s.a2);
        else if (change == "siblings a1")
            s.world.placeInFrontOfSiblings(s.a1);
        else if (change == "order")
            s.world.setStackingOrder({s.a2, 99999, s.a2, s.b2});
        else if (change == "remove a1")
            s.world.removeWindow(s.a1);
        QCOMPARE(s.order(), expected);
        QCOMPARE(s.names.value(s.world.focusedWindow(s.a).value_or(0)), focusedOfA);
    }

    // What is on screen, focused and under the pointer follows minimizing,
    // Spaces and hiding.
    void whatIsSeen()
    {
        Stack s;
        const QPointF overlap(450, 350); // inside a1 and b1
        QCOMPARE(s.world.windowAt(overlap), s.b1);
        s.world.process(s.b)->hidden = true;
        QVERIFY(!s.world.isOnScreen(*s.world.window(s.b1)));
        QCOMPARE(s.world.windowAt(overlap), s.a1);

        s.world.window(s.a1)->minimized = true;
        QCOMPARE(s.world.focusedWindow(s.a), s.a2);
        QCOMPARE(s.world.accessibleWindows(s.a), (QList<quint32>{s.a1, s.a2}));
        s.world.window(s.a2)->space = 2;
        QCOMPARE(s.world.focusedWindow(s.a), std::nullopt);
        QCOMPARE(s.world.accessibleWindows(s.a), QList<quint32>{s.a1});
        s.world.setCurrentSpace(2);
        QCOMPARE(s.world.focusedWindow(s.a), s.a2);
    }
};

QTEST_GUILESS_MAIN(TestSimWorld)
#include "tst_simworld.moc"
