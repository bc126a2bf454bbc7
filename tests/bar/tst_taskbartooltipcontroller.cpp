#include "bar/taskbartooltipcontroller.h"
#include "bar/tooltippanel.h"
#include "platform/sim/simplatform.h"
#include "platform/sim/virtualclock.h"
#include "services/velmoraownwindows.h"
#include "support/displays.h"

#include <QTest>
#include <QWindow>

using namespace Velmora;

namespace {

class PressCounter : public QWidget
{
public:
    int rightPresses = 0;

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::RightButton)
            ++rightPresses;
    }
};

// Two screens side by side, the primary one 1440 by 900 points.
struct Fixture
{
    Sim::VirtualClock clock;
    Sim::SimPlatform platform { clock };
    TaskbarTooltipController tooltip { clock, platform.displays };

    Fixture()
    {
        platform.desktop.setDisplays(
            {Test::display(1, QRectF(0, 0, 1440, 900)), Test::display(2, QRectF(1440, 0, 1920, 1080))});
        clock.runPending();
    }
    // The pointer in Qt's coordinates (top-left origin), over the bar.
    void pointAt(qreal x, qreal y) { platform.desktop.setPointer(QPointF(x, y)); }
    QString shownTitle() const { return tooltip.isShown() ? tooltip.panel()->title() : QString(); }
};

} // namespace

class TestTaskbarTooltipController : public QObject
{
    Q_OBJECT
private slots:
    // Moving quickly across buttons shows only the last title, 0.3 s after
    // the last move.
    void rapidSchedulesShowOnlyTheLastTitle()
    {
        Fixture f;
        f.pointAt(700, 880);
        f.tooltip.schedule("Safari");
        f.clock.advance(120);
        f.tooltip.schedule("Mail");
        f.clock.advance(120);
        f.tooltip.schedule("Notes");
        f.clock.advance(299);
        QVERIFY(!f.tooltip.isShown());
        QVERIFY(f.tooltip.isPending());
        f.clock.advance(1);
        QCOMPARE(f.shownTitle(), QString("Notes"));
        QVERIFY(!f.tooltip.isPending());

        // A new title takes the shown one away at once, and comes 0.3 s later.
        f.tooltip.schedule("Maps");
        QVERIFY(!f.tooltip.isShown());
        f.clock.advance(300);
        QCOMPARE(f.shownTitle(), QString("Maps"));
    }

    void hideCancelsAndTakesAway()
    {
        Fixture f;
        f.pointAt(700, 880);
        f.tooltip.schedule("Safari");
        f.clock.advance(200);
        f.tooltip.hide();
        f.clock.advance(1000);
        QVERIFY(!f.tooltip.isShown());
        f.tooltip.schedule("Safari");
        f.clock.advance(300);
        QVERIFY(f.tooltip.isShown());
        f.tooltip.hide();
        QVERIFY(!f.tooltip.isShown());
        QCOMPARE(f.clock.pendingJobCount(), 0);
        f.tooltip.schedule(QString()); // nothing to say: nothing shown
        f.clock.advance(300);
        QVERIFY(!f.tooltip.isShown());
    }

    // Placed in Qt's coordinates: centred on the pointer, its bottom 18
    // points above it, 6 points inside the edges of the pointer's screen.
    void placedAboveThePointerOnItsScreen_data()
    {
        QTest::addColumn<QPointF>("pointer");
        QTest::addColumn<QString>("edge"); // which edge the panel keeps to
        QTest::newRow("middle") << QPointF(700, 880) << "centre";
        QTest::newRow("left edge of the primary screen") << QPointF(1, 880) << "left:0";
        QTest::newRow("right edge of the primary screen") << QPointF(1439, 880) << "right:1440";
        QTest::newRow("left edge of the second screen") << QPointF(1441, 1060) << "left:1440";
        QTest::newRow("right edge of the second screen") << QPointF(3359, 1060) << "right:3360";
    }
    void placedAboveThePointerOnItsScreen()
    {
        QFETCH(QPointF, pointer);
        QFETCH(QString, edge);
        Fixture f;
        f.pointAt(pointer.x(), pointer.y());
        f.tooltip.schedule("Activity Monitor");
        f.clock.advance(300);
        QVERIFY(f.tooltip.isShown());
        const QRect frame = f.tooltip.panel()->geometry();
        QCOMPARE(frame.size(), f.tooltip.panel()->fittingSize().toSize());
        QCOMPARE(frame.top() + frame.height(), qRound(pointer.y()) - 18);
        if (edge == "centre")
            QVERIFY(qAbs(frame.center().x() - pointer.x()) <= 1);
        else if (edge.startsWith("left"))
            QCOMPARE(frame.left(), edge.section(':', 1).toInt() + 6);
        else
            QCOMPARE(frame.left() + frame.width(), edge.section(':', 1).toInt() - 6);
    }

    // A right-click anywhere in the application hides the tooltip and still
    // reaches what was clicked.
    void rightClickAnywhereHides()
    {
        Fixture f;
        PressCounter somewhere;
        somewhere.resize(50, 50);
        somewhere.show();
        f.pointAt(700, 880);
        f.tooltip.schedule("Safari");
        f.clock.advance(300);
        QVERIFY(f.tooltip.isShown());
        QTest::mouseClick(&somewhere, Qt::RightButton);
        QVERIFY(!f.tooltip.isShown());
        QCOMPARE(somewhere.rightPresses, 1);
        f.tooltip.schedule("Safari");
        QTest::mouseClick(&somewhere, Qt::RightButton);
        f.clock.advance(300);
        QVERIFY(!f.tooltip.isShown());
    }

    // The panel never takes clicks or the keyboard, never activates, is no
    // Qt popup (which would grab the mouse), and is one of our own windows.
    void panelIsAPassiveWindowOfOurOwn()
    {
        Fixture f;
        f.pointAt(700, 880);
        f.tooltip.schedule("Safari");
        f.clock.advance(300);
        TooltipPanel *panel = f.tooltip.panel();
        QVERIFY(panel->isWindow());
        QVERIFY(panel->windowType() != Qt::Popup);
        QVERIFY(panel->windowFlags().testFlag(Qt::WindowTransparentForInput));
        QVERIFY(panel->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
        QVERIFY(panel->windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(panel->testAttribute(Qt::WA_ShowWithoutActivating));
        QVERIFY(!panel->isActiveWindow());
        QCOMPARE(VelmoraOwnWindows::role(panel->windowHandle()), VelmoraOwnWindows::Role::Panel);
        // The one panel is reused for every later tooltip.
        f.tooltip.schedule("Mail");
        f.clock.advance(300);
        QCOMPARE(f.tooltip.panel(), panel);
    }
};

QTEST_MAIN(TestTaskbarTooltipController)
#include "tst_taskbartooltipcontroller.moc"
