#include "bar/model/taskbariconbuttonmodel.h"
#include "platform/sim/virtualclock.h"

#include <QSignalSpy>
#include <QTest>

using namespace Velmora;

namespace {

// What the handlers of one button saw.
struct Record
{
    int presses = 0;
    QString releases; // 'i' inside, 'o' outside, in order
    int actions = 0;
};

void wire(TaskbarIconButtonModel &model, Record &record, bool tracked)
{
    if (tracked)
        model.setPressHandlers([&record] { ++record.presses; },
                               [&record](bool inside) { record.releases += inside ? u'i' : u'o'; });
    model.setAction([&record] { ++record.actions; });
}

// Plays a script of input: "down" (left), "up" / "out" (left release inside /
// outside), "right" / "rightup", "ctrl" (Control-left down), "cancel",
// "activate".
void play(TaskbarIconButtonModel &model, const QStringList &script)
{
    for (const QString &step : script) {
        if (step == "down")
            model.mousePress(Qt::LeftButton, Qt::NoModifier);
        else if (step == "up")
            model.mouseRelease(Qt::LeftButton, true);
        else if (step == "out")
            model.mouseRelease(Qt::LeftButton, false);
        else if (step == "right")
            model.mousePress(Qt::RightButton, Qt::NoModifier);
        else if (step == "rightup")
            model.mouseRelease(Qt::RightButton, true);
        else if (step == "ctrl")
            model.mousePress(Qt::LeftButton, Qt::ControlModifier);
        else if (step == "cancel")
            model.cancelPress();
        else if (step == "activate")
            model.activate();
        else
            QFAIL(qPrintable("unknown step " + step));
    }
}

} // namespace

class TestTaskbarIconButtonModel : public QObject
{
    Q_OBJECT
private slots:
    void pressesEndOnce_data()
    {
        QTest::addColumn<bool>("tracked");
        QTest::addColumn<QStringList>("script");
        QTest::addColumn<int>("presses");
        QTest::addColumn<QString>("releases");
        QTest::addColumn<int>("actions");

        QTest::newRow("tracked: click inside") << true << QStringList { "down", "up" } << 1 << "i" << 0;
        QTest::newRow("tracked: released outside") << true << QStringList { "down", "out" } << 1 << "o" << 0;
        QTest::newRow("tracked: right-click passes by") << true << QStringList { "right", "rightup" } << 0 << "" << 0;
        QTest::newRow("tracked: Control-click passes by") << true << QStringList { "ctrl", "up" } << 0 << "" << 0;
        QTest::newRow("tracked: a right release does not end the left press")
            << true << QStringList { "down", "right", "rightup", "up" } << 1 << "i" << 0;
        QTest::newRow("tracked: a second release ends nothing")
            << true << QStringList { "down", "up", "up" } << 1 << "i" << 0;
        QTest::newRow("tracked: a stray release ends nothing") << true << QStringList { "up" } << 0 << "" << 0;
        QTest::newRow("tracked: double click is two presses")
            << true << QStringList { "down", "up", "down", "up" } << 2 << "ii" << 0;
        QTest::newRow("tracked: a cancelled press ends outside, once")
            << true << QStringList { "down", "cancel", "up" } << 1 << "o" << 0;
        QTest::newRow("tracked: accessibility runs the action") << true << QStringList { "activate" } << 0 << "" << 1;
        QTest::newRow("plain: click inside") << false << QStringList { "down", "up" } << 0 << "" << 1;
        QTest::newRow("plain: released outside") << false << QStringList { "down", "out" } << 0 << "" << 0;
        QTest::newRow("plain: right-click") << false << QStringList { "right", "rightup" } << 0 << "" << 0;
        QTest::newRow("plain: a second release clicks nothing")
            << false << QStringList { "down", "up", "up" } << 0 << "" << 1;
        QTest::newRow("plain: double click is two clicks")
            << false << QStringList { "down", "up", "down", "up" } << 0 << "" << 2;
        QTest::newRow("plain: a cancelled press clicks nothing")
            << false << QStringList { "down", "cancel", "up" } << 0 << "" << 0;
    }
    void pressesEndOnce()
    {
        QFETCH(bool, tracked);
        QFETCH(QStringList, script);
        Sim::VirtualClock clock;
        Animator animator(clock, clock);
        TaskbarIconButtonModel model(animator);
        Record record;
        wire(model, record, tracked);
        QCOMPARE(model.hasPressTracking(), tracked);
        play(model, script);
        QTEST(record.presses, "presses");
        QTEST(record.releases, "releases");
        QTEST(record.actions, "actions");
    }

    void oneHandlerAloneMakesAPlainButton()
    {
        Sim::VirtualClock clock;
        Animator animator(clock, clock);
        TaskbarIconButtonModel model(animator);
        int presses = 0;
        int actions = 0;
        model.setPressHandlers([&] { ++presses; }, {});
        model.setAction([&] { ++actions; });
        QVERIFY(!model.hasPressTracking());
        play(model, { "down", "up" });
        QCOMPARE(presses, 0);
        QCOMPARE(actions, 1);
    }

    // A press decides what its release does: a button that loses its
    // handlers mid-press does not turn the release into a click.
    void releaseFollowsWhatThePressWas()
    {
        Sim::VirtualClock clock;
        Animator animator(clock, clock);
        TaskbarIconButtonModel model(animator);
        Record record;
        wire(model, record, true);
        model.mousePress(Qt::LeftButton, Qt::NoModifier);
        model.setPressHandlers({}, {});
        model.mouseRelease(Qt::LeftButton, true);
        QCOMPARE(record.actions, 0);
        QCOMPARE(record.presses, 1);
    }

    void appearanceOfEachState_data()
    {
        QTest::addColumn<bool>("active");
        QTest::addColumn<bool>("running");
        QTest::addColumn<bool>("hovering");
        QTest::addColumn<qreal>("fill");
        QTest::addColumn<qreal>("border");
        QTest::addColumn<qreal>("labelScale");
        QTest::addColumn<bool>("indicator");
        QTest::addColumn<qreal>("width");
        QTest::addColumn<qreal>("accent");
        QTest::newRow("idle") << false << false << false << 0.0 << 0.0 << 1.0 << false << 6.0 << 0.0;
        QTest::newRow("hovered") << false << false << true << 0.1 << 0.08 << 1.0 << false << 6.0 << 0.0;
        QTest::newRow("active") << true << false << false << 0.16 << 0.0 << 0.91 << true << 16.0 << 1.0;
        QTest::newRow("active and hovered: active fill, hover border")
            << true << false << true << 0.16 << 0.08 << 0.91 << true << 16.0 << 1.0;
        QTest::newRow("running") << false << true << false << 0.0 << 0.0 << 1.0 << true << 6.0 << 0.0;
        QTest::newRow("running and active") << true << true << false << 0.16 << 0.0 << 0.91 << true << 16.0 << 1.0;
    }
    void appearanceOfEachState()
    {
        QFETCH(bool, active);
        QFETCH(bool, running);
        QFETCH(bool, hovering);
        Sim::VirtualClock clock;
        Animator animator(clock, clock);
        animator.setInstant(true);
        TaskbarIconButtonModel model(animator);
        model.setActive(active);
        model.setRunning(running);
        model.setHovering(hovering);
        QFETCH(qreal, fill);
        QFETCH(qreal, border);
        QFETCH(qreal, labelScale);
        QFETCH(bool, indicator);
        QFETCH(qreal, width);
        QFETCH(qreal, accent);
        const TaskbarIconButtonModel::Appearance look = model.appearance();
        // Offset by one: opacities of 0 compare exactly, not fuzzily.
        QCOMPARE(look.fillOpacity + 1, fill + 1);
        QCOMPARE(look.borderOpacity + 1, border + 1);
        QCOMPARE(look.labelScale, labelScale);
        QCOMPARE(look.indicatorPresence > 0, indicator);
        if (indicator) {
            QCOMPARE(look.indicatorWidth, width);
            QCOMPARE(look.indicatorAccent + 1, accent + 1);
            QCOMPARE(look.indicatorScale(), 1.0);
        }
    }

    // With reduce motion the active look jumps; the hover still fades.
    void reduceMotionJumpsTheActiveLookOnly_data()
    {
        QTest::addColumn<bool>("reduceMotion");
        QTest::newRow("motion") << false;
        QTest::newRow("reduced motion") << true;
    }
    void reduceMotionJumpsTheActiveLookOnly()
    {
        QFETCH(bool, reduceMotion);
        Sim::VirtualClock clock;
        Animator animator(clock, clock);
        animator.setReducesMotion(reduceMotion);
        TaskbarIconButtonModel model(animator);
        QSignalSpy changed(&model, &TaskbarIconButtonModel::changed);
        model.setActive(true);
        model.setHovering(true);
        clock.advance(Animator::frameIntervalMs);
        TaskbarIconButtonModel::Appearance look = model.appearance();
        QCOMPARE(look.labelScale == TaskbarIconButtonModel::activeLabelScale, reduceMotion);
        QCOMPARE(look.indicatorWidth == TaskbarIconButtonModel::activeIndicatorWidth, reduceMotion);
        QVERIFY(look.borderOpacity > 0 && look.borderOpacity < TaskbarIconButtonModel::hoverBorderOpacity);
        clock.advance(1000);
        look = model.appearance();
        QCOMPARE(look.labelScale, TaskbarIconButtonModel::activeLabelScale);
        QCOMPARE(look.borderOpacity, TaskbarIconButtonModel::hoverBorderOpacity);
        QVERIFY(changed.count() > 1);
        QVERIFY(animator.isIdle());
    }

    // An indicator that leaves shrinks away as it was: the wide accent bar
    // of an active button does not turn into the narrow white one first.
    void leavingIndicatorKeepsItsLook()
    {
        Sim::VirtualClock clock;
        Animator animator(clock, clock);
        TaskbarIconButtonModel model(animator);
        model.setActive(true);
        clock.advance(1000);
        model.setActive(false);
        clock.advance(3 * Animator::frameIntervalMs);
        TaskbarIconButtonModel::Appearance look = model.appearance();
        QVERIFY(look.indicatorPresence > 0 && look.indicatorPresence < 1);
        QCOMPARE(look.indicatorWidth, TaskbarIconButtonModel::activeIndicatorWidth);
        QCOMPARE(look.indicatorAccent, 1.0);
        clock.advance(1000);
        QCOMPARE(model.appearance().indicatorPresence, 0.0);
    }

    void helpTextIsTheTitleOnlyWhenShown()
    {
        Sim::VirtualClock clock;
        Animator animator(clock, clock);
        TaskbarIconButtonModel model(animator);
        model.setTitle("Show more apps");
        QCOMPARE(model.helpText(), QString("Show more apps"));
        model.setShowsSystemHelp(false);
        QCOMPARE(model.helpText(), QString());
    }
};

QTEST_GUILESS_MAIN(TestTaskbarIconButtonModel)
#include "tst_taskbariconbuttonmodel.moc"
