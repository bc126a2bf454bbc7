#include "support/desktopworld.h"

#include "platform/axnames.h"
#include "platform/sim/simdisplayids.h"
#include "platform/sim/simscreenfollower.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryFile>
#include <QTest>

using namespace Velmora;
using namespace Velmora::Sim;
using Velmora::Test::DesktopWorld;
using Velmora::Test::display;

namespace {

QList<quint32> idsOf(const QList<DisplayInfo> &displays)
{
    QList<quint32> ids;
    for (const DisplayInfo &d : displays)
        ids.append(d.displayId);
    return ids;
}

SimScreenState screen(const QString &key, const QRectF &geometry = QRectF(0, 0, 1440, 900))
{
    return {key, key, geometry, 1.0};
}

} // namespace

class TestSimScreens : public QObject
{
    Q_OBJECT
private slots:
    // Ids stay with their screen through additions, removals and moves, and
    // no two screens ever share one.
    void displayIdsAreStableAndUnique()
    {
        SimDisplayIds ids;
        const QList<DisplayInfo> scenario{display(1, {0, 0, 1512, 982}), display(2, {1512, 0, 1920, 1080})};
        // The first time the screens take the scenario's ids by place.
        QCOMPARE(idsOf(ids.displaysFor({screen("A"), screen("B")}, scenario)), (QList<quint32>{1, 2}));
        const QList<DisplayInfo> three = ids.displaysFor({screen("A"), screen("B"), screen("C")}, {});
        const quint32 c = three[2].displayId;
        QVERIFY(c != 0 && c != 1 && c != 2);
        // B unplugged and plugged in again, somewhere else, after C.
        QCOMPARE(idsOf(ids.displaysFor({screen("A"), screen("C")}, {})), (QList<quint32>{1, c}));
        const QList<DisplayInfo> back = ids.displaysFor({screen("C"), screen("A"), screen("B", {-1920, 0, 1920, 1080})}, {});
        QCOMPARE(idsOf(back), (QList<quint32>{c, 1, 2}));
        QCOMPARE(back[2].bounds, QRectF(-1920, 0, 1920, 1080));
        // Two identical screens without serial numbers.
        const QList<DisplayInfo> twins = ids.displaysFor({screen("A"), screen("Same"), screen("Same")}, {});
        QVERIFY(twins[1].displayId != twins[2].displayId);
        QVERIFY(twins[1].displayId != 0 && twins[2].displayId != 0);
        const QList<quint32> twinIds = idsOf(twins);
        QCOMPARE(QSet<quint32>(twinIds.cbegin(), twinIds.cend()).size(), 3);
    }

    // Windows go along with their display; those of a display that is gone
    // move to the main one, onto it.
    void windowsFollowTheirDisplay_data()
    {
        QTest::addColumn<QList<DisplayInfo>>("after");
        QTest::addColumn<QRectF>("onMain");
        QTest::addColumn<QRectF>("onSecond");
        const QRectF main(0, 0, 1440, 900);
        QTest::newRow("second display moved to the left")
            << QList<DisplayInfo>{display(1, main), display(2, {-1920, 0, 1920, 1080})} << QRectF(100, 100, 600, 400)
            << QRectF(-1820, 200, 1000, 700);
        QTest::newRow("second display removed")
            << QList<DisplayInfo>{display(1, main)} << QRectF(100, 100, 600, 400) << QRectF(100, 200, 1000, 700);
        QTest::newRow("main display smaller")
            << QList<DisplayInfo>{display(1, {0, 0, 800, 600}), display(2, {1440, 0, 1920, 1080})}
            << QRectF(100, 100, 600, 400) << QRectF(1540, 200, 1000, 700);
        QTest::newRow("main display much smaller")
            << QList<DisplayInfo>{display(1, {0, 0, 640, 480}), display(2, {1440, 0, 1920, 1080})}
            << QRectF(40, 80, 600, 400) << QRectF(1540, 200, 1000, 700);
        QTest::newRow("both gone but one: the main one stays")
            << QList<DisplayInfo>{display(7, {0, 0, 1024, 768})} << QRectF(100, 100, 600, 400)
            << QRectF(24, 68, 1000, 700);
    }
    void windowsFollowTheirDisplay()
    {
        QFETCH(QList<DisplayInfo>, after);
        QFETCH(QRectF, onMain);
        QFETCH(QRectF, onSecond);
        DesktopWorld world;
        world.desktop.setDisplays({display(1, {0, 0, 1440, 900}), display(2, {1440, 0, 1920, 1080})});
        const qint32 pid = world.addApp("Editor");
        const quint32 first = world.addWindow(pid, QRectF(100, 100, 600, 400));
        const quint32 second = world.addWindow(pid, QRectF(1540, 200, 1000, 700));
        world.clock.runPending();
        QList<QString> notified;
        auto observer = world.accessibility.createObserver(pid, this, [&](const AXElement &, const QString &name) {
            notified.append(name);
        });
        observer->addNotification(world.accessibility.applicationElement(pid), AXNames::Moved);
        QSignalSpy changed(&world.displays, &Displays::screensChanged);

        world.desktop.setDisplays(after);
        world.clock.runPending();
        QCOMPARE(world.desktop.window(first)->bounds, onMain);
        QCOMPARE(world.desktop.window(second)->bounds, onSecond);
        QCOMPARE(changed.size(), 1);
        // Accessibility hears of every window that moved.
        const bool moved = onMain != QRectF(100, 100, 600, 400) || onSecond != QRectF(1540, 200, 1000, 700);
        QCOMPARE(notified.contains(AXNames::Moved), moved);
    }

    // In the application the displays are the session's screens.
    void theFollowerTakesOverTheSessionsScreens()
    {
        DesktopWorld world;
        world.desktop.setDisplays({display(1, {0, 0, 1512, 982}), display(2, {1512, 0, 1920, 1080})});
        const quint32 window = world.addWindow(world.addApp("Editor"), QRectF(1612, 100, 800, 600));
        SimScreenFollower follower(world.desktop);
        follower.start();
        const QList<SimScreenState> screens = SimScreenFollower::sessionScreens();
        QCOMPARE(screens.size(), 2);
        const QList<DisplayInfo> displays = world.desktop.displays();
        QCOMPARE(displays.size(), 2);
        QCOMPARE(idsOf(displays), (QList<quint32>{1, 2}));
        QCOMPARE(displays[1].bounds, screens[1].geometry);
        QCOMPARE(displays[1].backingScaleFactor, 2.0);
        // The scenario's window on its second display is on the second screen, where it was on it.
        QCOMPARE(world.desktop.window(window)->bounds.topLeft(), screens[1].geometry.topLeft() + QPointF(100, 100));
    }
};

// Two offscreen screens, the second with a scale of 2.
int main(int argc, char **argv)
{
    QTemporaryFile config;
    if (!config.open())
        return 1;
    config.write(R"({"screens": [
        {"name": "First", "x": 0, "y": 0, "width": 1440, "height": 900, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1},
        {"name": "Second", "x": 1440, "y": 0, "width": 1280, "height": 800, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 2}
    ]})");
    config.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toLocal8Bit());
    QGuiApplication application(argc, argv);
    TestSimScreens test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_simscreens.moc"
