#include "support/desktopworld.h"

#include <QTest>

using namespace Velmora;
using namespace Velmora::Sim;
using Velmora::Test::InterleavedWorld;

class TestSimOwnWindows : public QObject
{
    Q_OBJECT
private slots:
    // The product's own windows are listed as this process's, at their levels.
    void ownWindowsAreListedAsThisProcesssAtTheirLevels()
    {
        InterleavedWorld world;
        OwnWindowRegistry &own = world.platform.ownWindows;
        const quint32 panel = own.addWindow({"", OwnWindowRegistry::StatusLayer, {0, 843, 1440, 57}, true, false});
        const quint32 popover = own.addWindow({"", OwnWindowRegistry::PopUpMenuLayer, {20, 500, 320, 340}, true, false});
        const quint32 settings = own.addWindow({"Settings", OwnWindowRegistry::NormalLayer, {300, 200, 640, 480}, true, false});
        QVERIFY(panel && popover && settings);

        QCOMPARE(world.listed(WindowList::OnScreenExceptDesktop),
                 (QList<quint32>{popover, panel, settings, world.b1, world.a1, world.b2, world.a2}));
        const WindowListEntry entry = world.windowList.copyWindowInfo(WindowList::OneWindow, panel)->first();
        QCOMPARE(entry.ownerPID(), world.desktop.selfPid());
        QCOMPARE(entry.layer(), OwnWindowRegistry::StatusLayer);

        // Shown, hidden, brought forward and closed as the application does it.
        own.updateWindow(popover, {"", OwnWindowRegistry::PopUpMenuLayer, {20, 500, 320, 340}, false, false});
        world.desktop.raiseWindow(world.a1);
        own.orderFront(settings);
        QCOMPARE(world.listed(WindowList::OnScreenExceptDesktop),
                 (QList<quint32>{panel, settings, world.a1, world.b1, world.b2, world.a2}));
        own.removeWindow(settings);
        QVERIFY(!world.desktop.window(settings));
        // Another application's windows are not this interface's to change.
        own.removeWindow(world.a1);
        own.updateWindow(world.b1, {"Mine now", OwnWindowRegistry::NormalLayer, {0, 0, 10, 10}, true, false});
        QVERIFY(world.desktop.window(world.a1));
        QCOMPARE(world.desktop.window(world.b1)->title, QString("Beta One"));
    }
};

QTEST_GUILESS_MAIN(TestSimOwnWindows)
#include "tst_simownwindows.moc"
