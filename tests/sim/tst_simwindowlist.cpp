#include "support/desktopworld.h"

#include "platform/sim/simoperations.h"

#include <QTest>

using namespace Velmora;
using namespace Velmora::Sim;
using Velmora::Test::InterleavedWorld;

class TestSimWindowList : public QObject
{
    Q_OBJECT
private slots:
    // The four requests the product makes, over a desktop with a minimized
    // window, a window on another Space, a hidden application's window and
    // a desktop element. Stack, front to back: b1 a1 b2 a2 m s h d.
    void theFourRequests_data()
    {
        QTest::addColumn<quint32>("options");
        QTest::addColumn<QString>("relativeTo");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("16: all but desktop elements") << quint32(WindowList::AllExceptDesktop) << ""
                                                      << QStringList{"b1", "a1", "b2", "a2", "m", "s", "h"};
        QTest::newRow("17: on screen only") << quint32(WindowList::OnScreenExceptDesktop) << ""
                                            << QStringList{"b1", "a1", "b2", "a2"};
        QTest::newRow("8: one window") << quint32(WindowList::OneWindow) << "b2" << QStringList{"b2"};
        QTest::newRow("8: one off-screen window") << quint32(WindowList::OneWindow) << "m" << QStringList{"m"};
        QTest::newRow("2: on-screen windows in front") << quint32(WindowList::InFrontOfWindow) << "a2"
                                                       << QStringList{"b1", "a1", "b2"};
        QTest::newRow("2: nothing in front of the front one") << quint32(WindowList::InFrontOfWindow) << "b1"
                                                               << QStringList{};
        QTest::newRow("2: unknown window") << quint32(WindowList::InFrontOfWindow) << "gone" << QStringList{};
        QTest::newRow("0: everything") << quint32(0) << ""
                                       << QStringList{"b1", "a1", "b2", "a2", "m", "s", "h", "d"};
    }
    void theFourRequests()
    {
        QFETCH(quint32, options);
        QFETCH(QString, relativeTo);
        QFETCH(QStringList, expected);
        InterleavedWorld world;
        const qint32 gamma = world.addApp("Gamma");
        const quint32 d = world.addWindow(world.beta, {0, 0, 1440, 900}, "Desktop");
        world.desktop.updateWindow(d, [](SimWindow &w) {
            w.layer = -2147483624;
            w.desktopElement = true;
        });
        const quint32 h = world.addWindow(gamma, {10, 10, 300, 300}, "Hidden");
        const quint32 s = world.addWindow(world.alpha, {10, 10, 300, 300}, "Elsewhere");
        world.desktop.updateWindow(s, [](SimWindow &w) { w.space = 2; });
        const quint32 m = world.addWindow(world.beta, {10, 10, 300, 300}, "Minimized");
        world.desktop.updateWindow(m, [](SimWindow &w) { w.minimized = true; });
        world.desktop.setStackingOrder({world.b1, world.a1, world.b2, world.a2, m, s, h});
        world.desktop.hide(gamma);

        const QMap<QString, quint32> numbers{{"b1", world.b1}, {"a1", world.a1}, {"b2", world.b2}, {"a2", world.a2},
                                             {"m", m}, {"s", s}, {"h", h}, {"d", d}, {"gone", 999999}};
        QStringList actual;
        for (quint32 number : world.listed(options, numbers.value(relativeTo)))
            actual.append(numbers.key(number));
        QCOMPARE(actual, expected);
    }

    // Entries carry what the window server knows; a field can go missing or
    // change type, and the whole list can fail.
    void entriesAndTheirFailures()
    {
        InterleavedWorld world;
        auto entryOf = [&](quint32 number) {
            return world.platform.windowList.copyWindowInfo(WindowList::OneWindow, number)->value(0);
        };
        const WindowListEntry b1 = entryOf(world.b1);
        QCOMPARE(b1.ownerPID(), world.beta);
        QCOMPARE(b1.ownerName(), QString("Beta"));
        QCOMPARE(b1.layer(), 0);
        QCOMPARE(b1.bounds(), QRectF(400, 300, 600, 400));
        QCOMPARE(b1.isOnscreen(), true);
        QCOMPARE(b1.name(), QString("Beta One"));
        QCOMPARE(b1.alpha(), 1.0);

        world.desktop.updateWindow(world.b1, [](SimWindow &w) {
            w.windowListOverrides = {{WindowListEntry::LayerKey, "0"}, {WindowListEntry::BoundsKey, QVariant()}};
        });
        world.desktop.setScreenCaptureAccess(SimDesktop::Permission::Denied);
        const WindowListEntry odd = entryOf(world.b1);
        QCOMPARE(odd.number(), world.b1);
        QVERIFY(!odd.layer());
        QVERIFY(!odd.bounds());
        QVERIFY(!odd.name()); // names need the screen-recording permission

        // A listing made before a change never shows through after it.
        world.desktop.updateWindow(world.b1, [](SimWindow &w) {
            w.windowListOverrides.clear();
            w.title = "Renamed";
            w.bounds = QRectF(1, 2, 300, 200);
        });
        world.desktop.updateProcess(world.beta, [](SimProcess &p) { p.name = "Beta Prime"; });
        world.desktop.setScreenCaptureAccess(SimDesktop::Permission::Granted);
        world.desktop.hide(world.beta);
        const WindowListEntry changed = entryOf(world.b1);
        QCOMPARE(changed.name(), QString("Renamed"));
        QCOMPARE(changed.bounds(), QRectF(1, 2, 300, 200));
        QCOMPARE(changed.ownerName(), QString("Beta Prime"));
        QCOMPARE(changed.isOnscreen(), std::nullopt);

        world.desktop.injectFailure(SimFailure::on(SimOperations::CopyWindowInfo).once());
        QVERIFY(!world.platform.windowList.copyWindowInfo(WindowList::AllExceptDesktop, 0));
        QVERIFY(world.platform.windowList.copyWindowInfo(WindowList::AllExceptDesktop, 0));
    }
};

QTEST_GUILESS_MAIN(TestSimWindowList)
#include "tst_simwindowlist.moc"
