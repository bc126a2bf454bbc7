#include "picker/model/windowpreviewpointer.h"
#include "platform/sim/virtualclock.h"

#include <QTest>

using namespace Velmora;

namespace {

// A card's pointer on a virtual clock. Events are given as a script, one
// step per item, with times in milliseconds since the press:
//   "down x,y"  "ctrl-down x,y"  "move x,y"  "at t" (the clock reaches t)
//   "up t in"  "up t out"  "detach"
// The log records each report with the clock time it came at.
struct Fixture
{
    Sim::VirtualClock clock;
    WindowPreviewPointer pointer { clock };
    qint64 origin = clock.monotonicMs();
    QStringList log;
    // What the strip's autoscroll moves the document by on each drag step.
    qreal scrollPerMove = 0;
    qreal scrolled = 0;

    explicit Fixture(bool canDrag)
    {
        pointer.setCanDrag(canDrag);
        pointer.setCallbacks({
            .clicked = [this] { note("click"); },
            .pressChanged = [this](bool lifted) { note(lifted ? "lift" : "drop"); },
            .dragChanged = [this](qreal x) { note(QStringLiteral("drag %1").arg(x)); },
            .dragEnded = [this] { note("end"); },
            .dragRefused = [this] { note("refused"); },
        });
    }

    void note(const QString &what) { log << QStringLiteral("%1@%2").arg(what).arg(now()); }
    qint64 now() const { return clock.monotonicMs() - origin; }

    static QPointF point(const QString &text)
    {
        const QStringList xy = text.split(',');
        return QPointF(xy.at(0).toDouble(), xy.at(1).toDouble());
    }

    void run(const QStringList &script)
    {
        for (const QString &step : script) {
            const QStringList words = step.split(' ');
            const QString &verb = words.at(0);
            if (verb == "down" || verb == "ctrl-down") {
                pointer.mouseDown(point(words.at(1)), now(), verb == "down" ? Qt::NoModifier : Qt::ControlModifier);
            } else if (verb == "move") {
                const QPointF p = point(words.at(1));
                pointer.mouseDragged(p, [this, p] {
                    scrolled += scrollPerMove;
                    return p + QPointF(scrolled, 0);
                });
            } else if (verb == "at") {
                clock.advance(words.at(1).toLongLong() - now());
            } else if (verb == "up") {
                clock.advance(words.at(1).toLongLong() - now());
                pointer.mouseUp(now(), words.at(2) == "in");
            } else if (verb == "detach") {
                pointer.detached();
            } else {
                QFAIL(qPrintable("unknown step " + step));
            }
        }
    }
};

} // namespace

class TestWindowPreviewPointer : public QObject
{
    Q_OBJECT
private slots:
    void pointerCases_data()
    {
        QTest::addColumn<bool>("canDrag");
        QTest::addColumn<QStringList>("script");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("quick click") << true << QStringList { "down 10,10", "move 12,13", "up 100 in" }
                                     << QStringList { "click@100" };
        QTest::newRow("click released outside the card")
            << true << QStringList { "down 10,10", "up 100 out" } << QStringList {};
        QTest::newRow("held still lifts, release drops without a click")
            << true << QStringList { "down 10,10", "up 300 in" } << QStringList { "lift@250", "drop@300" };
        QTest::newRow("released just before the lift is a click")
            << true << QStringList { "down 10,10", "up 249 in" } << QStringList { "click@249" };
        QTest::newRow("long press on a card that cannot be dragged still clicks")
            << false << QStringList { "down 10,10", "up 1000 in" } << QStringList { "click@1000" };
        QTest::newRow("drag 40 points to the right")
            << true << QStringList { "down 10,10", "at 20", "move 13,11", "move 16,10", "move 30,12", "move 50,10",
                   "up 150 in" }
            << QStringList { "drag 6@20", "drag 20@20", "drag 40@20", "end@150" };
        QTest::newRow("drag begun at once lifts when the timer fires")
            << true << QStringList { "down 10,10", "move 30,10", "at 260", "move 40,10", "up 400 in" }
            << QStringList { "drag 20@0", "lift@250", "drag 30@260", "drop@400", "end@400" };
        QTest::newRow("refused drag is reported once and is no click")
            << false << QStringList { "down 10,10", "move 20,10", "move 60,10", "move 90,40", "up 500 in" }
            << QStringList { "refused@0" };
        QTest::newRow("a vertical drag counts from 5 points but reports only across")
            << true << QStringList { "down 10,10", "move 10,16", "up 100 in" } << QStringList { "drag 0@0", "end@100" };
        QTest::newRow("control-click belongs to the menu")
            << true << QStringList { "ctrl-down 10,10", "move 40,10", "up 400 in" } << QStringList {};
        QTest::newRow("removed while lifted and dragged")
            << true << QStringList { "down 10,10", "move 30,10", "at 300", "detach", "up 400 in", "detach" }
            << QStringList { "drag 20@0", "lift@250", "drop@300", "end@300" };
        QTest::newRow("removed while pressed still tells the strip the drag ended")
            << true << QStringList { "down 10,10", "at 100", "detach", "at 400" } << QStringList { "end@100" };
        QTest::newRow("a release without a press does nothing")
            << true << QStringList { "move 40,10", "up 100 in" } << QStringList {};
        QTest::newRow("a second press starts afresh")
            << false << QStringList { "down 10,10", "move 40,10", "up 100 in", "down 10,10", "up 150 in" }
            << QStringList { "refused@0", "click@150" };
    }

    void pointerCases()
    {
        QFETCH(bool, canDrag);
        QFETCH(QStringList, script);
        QFETCH(QStringList, expected);
        Fixture f(canDrag);
        f.run(script);
        QCOMPARE(f.log, expected);
        QVERIFY(!f.pointer.isPressed());
    }

    void dragDistanceIsMeasuredAfterTheStripScrolled()
    {
        // The strip scrolls 10 points further under the pointer on each step:
        // the card must follow the document, not the screen.
        Fixture f(true);
        f.scrollPerMove = 10;
        f.run({ "down 100,10", "move 110,10", "move 110,10", "up 100 in" });
        QCOMPARE(f.log, QStringList({ "drag 20@0", "drag 30@0", "end@100" }));
    }

    void noLiftTimerOutlivesThePress()
    {
        Fixture f(true);
        f.run({ "down 10,10", "up 100 in" });
        QCOMPARE(f.clock.pendingJobCount(), 0);
        {
            Fixture g(true);
            g.run({ "down 10,10" });
        }
        // A pointer destroyed mid-press leaves no job behind to fire into it.
    }
};

QTEST_GUILESS_MAIN(TestWindowPreviewPointer)
#include "tst_windowpreviewpointer.moc"
