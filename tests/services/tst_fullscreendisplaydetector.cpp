#include "services/fullscreendisplaydetector.h"

#include "support/servicesworld.h"

#include <QTest>

using namespace Velmora;
using Velmora::Test::ServicesWorld;

namespace {

// Two displays side by side: 1 at the origin, 2 to its right.
struct DetectorWorld : ServicesWorld
{
    FullScreenDisplayDetector detector { accessibility, windowList, displays, workspace };

    DetectorWorld()
    {
        desktop.setDisplays(
            {Test::display(1, QRectF(0, 0, 1440, 900)), Test::display(2, QRectF(1440, 0, 1920, 1080))});
    }

    quint32 addFullScreen(qint32 pid, const QRectF &bounds, bool reportsFullScreen)
    {
        return addWindow(pid, bounds, "Movie", [&](Sim::SimWindow &window) { window.fullScreen = reportsFullScreen; });
    }
};

QSet<quint32> ids(const QList<uint> &values)
{
    return QSet<quint32>(values.cbegin(), values.cend());
}

} // namespace

class TestFullScreenDisplayDetector : public QObject
{
    Q_OBJECT
private slots:
    void windowMustCoverTheDisplayWithinThreePoints_data()
    {
        QTest::addColumn<QRectF>("bounds");
        QTest::addColumn<bool>("marks");

        QTest::newRow("exactly") << QRectF(0, 0, 1440, 900) << true;
        QTest::newRow("2 points short on the left") << QRectF(2, 0, 1438, 900) << true;
        QTest::newRow("3 points short at the bottom") << QRectF(0, 0, 1440, 897) << true;
        QTest::newRow("4 points short on the right") << QRectF(0, 0, 1436, 900) << false;
        QTest::newRow("4 points below the top") << QRectF(0, 4, 1440, 896) << false;
        QTest::newRow("2 points beyond every edge") << QRectF(-2, -2, 1444, 904) << true;
        QTest::newRow("a large window") << QRectF(0, 24, 1440, 876) << false;
    }
    void windowMustCoverTheDisplayWithinThreePoints()
    {
        QFETCH(QRectF, bounds);
        QFETCH(bool, marks);
        DetectorWorld world;
        world.addFullScreen(world.addApp("Player"), bounds, true);
        QCOMPARE(world.detector.displayIDs(), marks ? ids({ 1 }) : ids({}));
    }

    void aWindowThatChangesIsSeenAtTheNextCheck()
    {
        DetectorWorld world;
        world.desktop.setAccessibilityTrusted(false);
        const quint32 window = world.addFullScreen(world.addApp("Player"), QRectF(0, 0, 1440, 900), true);
        world.addWindow(world.addApp("Notes"), QRectF(100, 100, 400, 300), "Note");
        QCOMPARE(world.detector.displayIDs(), ids({ 1 }));
        QCOMPARE(world.detector.displayIDs(), ids({ 1 }));
        const auto moveTo = [&](const QRectF &frame) {
            QVERIFY(world.desktop.updateWindow(window, [&](Sim::SimWindow &w) { w.bounds = frame; }));
        };
        moveTo(QRectF(1440, 0, 1920, 1080));
        QCOMPARE(world.detector.displayIDs(), ids({ 2 }));
        moveTo(QRectF(200, 200, 640, 480));
        QCOMPARE(world.detector.displayIDs(), ids({}));
        moveTo(QRectF(0, 0, 1440, 900));
        QCOMPARE(world.detector.displayIDs(), ids({ 1 }));
    }

    void accessibilityNarrowsTheMatches_data()
    {
        QTest::addColumn<bool>("trusted");
        QTest::addColumn<bool>("reportsFullScreen");
        QTest::addColumn<bool>("windowsUnreadable");
        QTest::addColumn<QList<uint>>("expected");

        QTest::newRow("a full-screen window") << true << true << false << QList<uint> { 2 };
        QTest::newRow("a borderless window the size of the display") << true << false << false << QList<uint> {};
        QTest::newRow("windows that cannot be read keep the match") << true << false << true << QList<uint> { 2 };
        QTest::newRow("without accessibility every match counts") << false << false << false << QList<uint> { 2 };
    }
    void accessibilityNarrowsTheMatches()
    {
        QFETCH(bool, trusted);
        QFETCH(bool, reportsFullScreen);
        QFETCH(bool, windowsUnreadable);
        QFETCH(QList<uint>, expected);

        DetectorWorld world;
        const qint32 pid = world.addApp("Player");
        world.addFullScreen(pid, QRectF(1440, 0, 1920, 1080), reportsFullScreen);
        world.desktop.setAccessibilityTrusted(trusted);
        if (windowsUnreadable)
            world.desktop.injectFailure(Sim::SimFailure::on(Sim::SimOperations::CopyAttributeValue, "AXWindows")
                                            .error(AXError::CannotComplete));
        QCOMPARE(world.detector.displayIDs(), ids(expected));
    }

    void anApplicationCountsOnlyWhereItIsFullScreen()
    {
        DetectorWorld world;
        const qint32 pid = world.addApp("Keynote");
        // Full screen on the first display, a borderless presenter view on the second.
        world.addFullScreen(pid, QRectF(0, 0, 1440, 900), true);
        world.addFullScreen(pid, QRectF(1440, 0, 1920, 1080), false);
        QCOMPARE(world.detector.displayIDs(), ids({ 1 }));
    }

    void ownWindowsAndOtherLayersNeverCount()
    {
        DetectorWorld world;
        world.desktop.setAccessibilityTrusted(false);
        const qint32 self = world.desktop.selfPid();
        world.desktop.updateProcess(self, [](Sim::SimProcess &process) { process.policy = ActivationPolicy::Regular; });
        world.addFullScreen(self, QRectF(0, 0, 1440, 900), true);
        world.addWindow(world.addApp("Shade"), QRectF(1440, 0, 1920, 1080), "Overlay",
            [](Sim::SimWindow &window) { window.layer = 25; });
        QCOMPARE(world.detector.displayIDs(), ids({}));
    }

    void nothingWithoutScreensOrWindowList()
    {
        DetectorWorld world;
        world.addFullScreen(world.addApp("Player"), QRectF(0, 0, 1440, 900), true);
        world.desktop.injectFailure(Sim::SimFailure::on(Sim::SimOperations::CopyWindowInfo).once());
        QCOMPARE(world.detector.displayIDs(), ids({}));
        QCOMPARE(world.detector.displayIDs(), ids({ 1 }));
        world.desktop.setDisplays({});
        QCOMPARE(world.detector.displayIDs(), ids({}));
    }

    void aHungApplicationHoldsTheBarOnlyBriefly()
    {
        DetectorWorld world;
        const qint32 pid = world.addApp("Player");
        world.addFullScreen(pid, QRectF(0, 0, 1440, 900), false);
        world.desktop.setHung(pid, true);
        const qint64 before = world.clock.monotonicMs();
        QCOMPARE(world.detector.displayIDs(), ids({ 1 }));
        QVERIFY2(world.clock.monotonicMs() - before <= 300, "waited longer than the short time-out");
    }
};

QTEST_GUILESS_MAIN(TestFullScreenDisplayDetector)
#include "tst_fullscreendisplaydetector.moc"
