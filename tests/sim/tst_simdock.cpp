#include "support/desktopworld.h"

#include "platform/axnames.h"

#include <QSignalSpy>
#include <QTest>

using namespace Velmora;
using namespace Velmora::Sim;
using Velmora::Test::DesktopWorld;

namespace {

// The main display of 1440 by 900 points and a second one to its right.
struct TwoDisplays : DesktopWorld {
    TwoDisplays()
    {
        desktop.setDisplays({Test::display(1, QRectF(0, 0, 1440, 900)), Test::display(2, QRectF(1440, 0, 1280, 800))});
    }

    void dockPreferences(const QVariant &orientation, const QVariant &autohide)
    {
        desktop.setPreference(ApplicationPreferences::DockDomain, ApplicationPreferences::DockOrientationKey,
                              orientation);
        desktop.setPreference(ApplicationPreferences::DockDomain, ApplicationPreferences::DockAutohideKey, autohide);
    }

    QRectF visibleFrame(int display) const { return displays.screens().at(display).visibleFrame; }
};

} // namespace

class TestSimDock : public QObject
{
    Q_OBJECT
private slots:
    // The Dock takes its strip out of the main display's visible frame, at
    // the edge its preferences named when it started; every display loses
    // its menu bar. (Screen convention: y up, so y is the bottom edge.)
    void theDockShapesTheVisibleFrame_data()
    {
        QTest::addColumn<bool>("dockRuns");
        QTest::addColumn<QVariant>("orientation");
        QTest::addColumn<QVariant>("autohide");
        QTest::addColumn<QRectF>("visible");
        QTest::newRow("bottom") << true << QVariant("bottom") << QVariant(false) << QRectF(0, 64, 1440, 811);
        QTest::newRow("left") << true << QVariant("left") << QVariant() << QRectF(64, 0, 1376, 875);
        QTest::newRow("right") << true << QVariant("right") << QVariant(false) << QRectF(0, 0, 1376, 875);
        QTest::newRow("bottom, hiding itself") << true << QVariant("bottom") << QVariant(true) << QRectF(0, 4, 1440, 871);
        QTest::newRow("an edge it does not know: bottom") << true << QVariant("top") << QVariant("yes")
                                                          << QRectF(0, 64, 1440, 811);
        QTest::newRow("no Dock") << false << QVariant("left") << QVariant(false) << QRectF(0, 0, 1440, 875);
    }
    void theDockShapesTheVisibleFrame()
    {
        QFETCH(bool, dockRuns);
        QFETCH(QVariant, orientation);
        QFETCH(QVariant, autohide);
        QFETCH(QRectF, visible);
        TwoDisplays world;
        world.dockPreferences(orientation, autohide);
        if (dockRuns)
            world.addDock();
        QCOMPARE(world.visibleFrame(0), visible);
        QCOMPARE(world.visibleFrame(1), QRectF(1440, 100, 1280, 775));
    }

    // "killall Dock" ends the Dock; the system starts a new one a moment
    // later, which reads its preferences again and brings its tiles back.
    void aDockRestartTakesTheNewPreferences()
    {
        TwoDisplays world;
        world.dockPreferences("bottom", false);
        const qint32 dock = world.addDock();
        const qint32 editor = world.addApp("Editor");
        const quint32 window = world.addWindow(editor, QRectF(100, 100, 600, 400), "Notes",
                                               [](SimWindow &w) { w.minimized = true; });
        auto tiles = [&](qint32 pid) {
            auto &ax = world.accessibility;
            const auto list = ax.copyAttributeValue(ax.applicationElement(pid), AXNames::Children);
            if (!list.ok())
                return -1;
            const auto items = ax.copyAttributeValue(list.value()->toElementList()->first(), AXNames::Children);
            return int(items.value()->toElementList()->size());
        };
        QCOMPARE(tiles(dock), 1);
        world.clock.runPending();
        QSignalSpy terminated(&world.workspace, &Workspace::applicationTerminated);
        QSignalSpy launched(&world.workspace, &Workspace::applicationLaunched);
        QSignalSpy screens(&world.displays, &Displays::screensChanged);

        // Preferences written while the Dock runs change nothing until it restarts.
        world.dockPreferences("left", false);
        world.clock.runPending();
        QCOMPARE(world.visibleFrame(0), QRectF(0, 64, 1440, 811));
        QVERIFY(world.platform.childProcesses.startDetached("/usr/bin/killall", {"Dock"}));
        QCOMPARE(world.desktop.requests(SimOperations::StartDetached).size(), 1);
        QCOMPARE(world.desktop.requests(SimOperations::StartDetached).first().detail, QVariant(QStringList{"Dock"}));
        world.clock.runPending();
        QCOMPARE(terminated.size(), 1);
        QVERIFY(!world.desktop.process(dock));
        QCOMPARE(tiles(dock), -1);
        QCOMPARE(world.visibleFrame(0), QRectF(0, 0, 1440, 875));

        world.clock.advance(world.desktop.knobs().dockRestartMs);
        QCOMPARE(launched.size(), 1);
        const qint32 again = launched.first().first().value<RunningApplication>().processIdentifier;
        QVERIFY(again != dock);
        QCOMPARE(world.desktop.process(again)->bundleIdentifier, QString(SimDesktop::DockBundleIdentifier));
        QCOMPARE(tiles(again), 1);
        QCOMPARE(world.visibleFrame(0), QRectF(64, 0, 1376, 875));
        QVERIFY(screens.size() >= 2);
        QVERIFY(world.desktop.window(window)->minimized);
    }

    void childProcessesNeverRunHere()
    {
        TwoDisplays world;
        const qint32 dock = world.addDock();
        // Without a Dock of that name nothing ends; a refused start reports so.
        QVERIFY(world.platform.childProcesses.startDetached("/usr/bin/killall", {"Nothing"}));
        QVERIFY(world.platform.childProcesses.startDetached("/usr/bin/open", {"-a", "Dock"}));
        world.desktop.injectFailure(SimFailure::on(SimOperations::StartDetached).once());
        QVERIFY(!world.platform.childProcesses.startDetached("/usr/bin/killall", {"Dock"}));
        world.clock.advance(5000);
        QVERIFY(world.desktop.process(dock));
        QCOMPARE(world.desktop.requests(SimOperations::StartDetached).size(), 3);
        QCOMPARE(world.desktop.requests(SimOperations::StartDetached).last().result, -1);
    }
};

QTEST_GUILESS_MAIN(TestSimDock)
#include "tst_simdock.moc"
