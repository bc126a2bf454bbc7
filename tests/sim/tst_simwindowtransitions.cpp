#include "support/desktopworld.h"

#include "platform/axnames.h"

#include <QTest>

using namespace Velmora;
using namespace Velmora::Sim;
using Velmora::Test::DesktopWorld;

namespace {

// One window of 600 by 400 points, minimized in 250 ms.
struct OneWindow : DesktopWorld {
    qint32 pid = addApp("Editor");
    quint32 window = addWindow(pid, QRectF(100, 100, 600, 400), "Document");

    // The window's frame as the window list reports it; nothing once it is off screen.
    std::optional<QRectF> onScreenFrame() const
    {
        const auto entries = windowList.copyWindowInfo(WindowList::OneWindow, window);
        if (!entries || entries->isEmpty() || !entries->first().isOnscreen().value_or(false))
            return std::nullopt;
        return entries->first().bounds();
    }
};

} // namespace

class TestSimWindowTransitions : public QObject
{
    Q_OBJECT
private slots:
    // What a guard watching the window list sees while a window is minimized:
    // its frame shrinks towards the Dock before it leaves the screen.
    void minimizingShrinksTheFrameBeforeTheWindowLeaves_data()
    {
        QTest::addColumn<bool>("animates");
        QTest::addColumn<bool>("reduceMotion");
        QTest::addColumn<qint64>("lastLookMs"); // the last moment it is still on screen
        QTest::addColumn<bool>("smallAtTheEnd"); // below a quarter of its height then
        QTest::newRow("as the desktop does") << true << false << qint64(240) << true;
        QTest::newRow("reduce motion: shorter") << true << true << qint64(49) << true;
        QTest::newRow("full size until it goes (behaviour off)") << false << false << qint64(249) << false;
    }
    void minimizingShrinksTheFrameBeforeTheWindowLeaves()
    {
        QFETCH(bool, animates);
        QFETCH(bool, reduceMotion);
        QFETCH(qint64, lastLookMs);
        QFETCH(bool, smallAtTheEnd);
        OneWindow world;
        SimKnobs knobs = world.desktop.knobs();
        knobs.minimizeAnimates = animates;
        world.desktop.setKnobs(knobs);
        world.desktop.setReducesMotion(reduceMotion);

        QVERIFY(world.desktop.beginMinimize(world.window));
        world.clock.advance(lastLookMs / 2);
        const std::optional<QRectF> halfway = world.onScreenFrame();
        QVERIFY(halfway);
        QCOMPARE(halfway->height() < 400, animates);
        world.clock.advance(lastLookMs - lastLookMs / 2);
        const std::optional<QRectF> last = world.onScreenFrame();
        QVERIFY(last);
        QCOMPARE(last->height() < 100, smallAtTheEnd);
        QVERIFY(last->height() <= halfway->height());
        // Accessibility keeps the window's own frame all along.
        QCOMPARE(world.desktop.window(world.window)->bounds, QRectF(100, 100, 600, 400));

        world.clock.advance(reduceMotion ? 50 - lastLookMs : 250 - lastLookMs);
        QVERIFY(!world.onScreenFrame());
        QVERIFY(world.desktop.window(world.window)->minimized);
    }

    // Restoring grows the frame back out of the Dock, with the application
    // active and the window in front from the start.
    void restoringGrowsTheFrameBack()
    {
        OneWindow world;
        const qint32 other = world.addApp("Other");
        world.addWindow(other, QRectF(0, 0, 800, 600), "Other");
        world.desktop.updateWindow(world.window, [](SimWindow &w) { w.minimized = true; });
        world.desktop.makeFrontmost(other);
        QVERIFY(world.desktop.beginRestore(world.window));
        world.clock.runPending();
        const QRectF tile = *world.onScreenFrame();
        QVERIFY(tile.height() < 100);
        QCOMPARE(world.listed(WindowList::OnScreenExceptDesktop).first(), world.window);
        QCOMPARE(world.desktop.frontmostPid(), world.pid);
        world.clock.advance(125);
        QVERIFY(world.onScreenFrame()->height() > tile.height());
        QVERIFY(world.onScreenFrame()->height() < 400);
        world.clock.advance(125);
        QCOMPARE(*world.onScreenFrame(), QRectF(100, 100, 600, 400));
    }
};

QTEST_GUILESS_MAIN(TestSimWindowTransitions)
#include "tst_simwindowtransitions.moc"
