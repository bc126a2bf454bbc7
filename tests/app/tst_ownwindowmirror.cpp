#include "app/ownwindowmirror.h"
#include "app/taskbarpanel.h"
#include "support/desktopworld.h"

#include <QTest>
#include <QWidget>

using namespace Velmora;
using Velmora::Test::DesktopWorld;

class TestOwnWindowMirror : public QObject
{
    Q_OBJECT

private slots:
    void ownWindowsAreListedAsWindowsOfThisProcessAtTheirLevels()
    {
        DesktopWorld world;
        OwnWindowMirror mirror(world.platform.ownWindows);
        mirror.start();

        auto panel = std::make_unique<TaskbarPanel>();
        panel->setGeometry(0, 843, 1440, 57);
        panel->show();
        QWidget window;
        window.setWindowTitle(QStringLiteral("Task Manager"));
        window.setGeometry(200, 150, 600, 400);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        const quint32 panelNumber = mirror.numberOf(panel.get());
        const quint32 windowNumber = mirror.numberOf(&window);
        QVERIFY(panelNumber != 0 && windowNumber != 0);
        const Sim::SimWindow listedPanel = *world.desktop.window(panelNumber);
        QCOMPARE(listedPanel.ownerPid, world.desktop.selfPid());
        QCOMPARE(listedPanel.layer, OwnWindowRegistry::StatusLayer);
        QCOMPARE(listedPanel.bounds, QRectF(panel->frameGeometry()));
        const Sim::SimWindow listedWindow = *world.desktop.window(windowNumber);
        QCOMPARE(listedWindow.layer, OwnWindowRegistry::NormalLayer);
        QCOMPARE(listedWindow.title, QStringLiteral("Task Manager"));

        // Moves, hiding and the end of a window follow.
        window.move(300, 250);
        QTRY_COMPARE(world.desktop.window(windowNumber)->bounds.topLeft(), QPointF(window.frameGeometry().topLeft()));
        panel->hide();
        QVERIFY(!world.desktop.window(panelNumber)->visible);
        panel.reset();
        QVERIFY(!world.desktop.window(panelNumber));
    }

    // The window that draws the simulated desktop is not listed on it: in
    // front of the windows it draws, it would take every click meant for them.
    void theDrawnDesktopIsNoWindowOnIt()
    {
        DesktopWorld world;
        const qint32 finder = world.addApp(QStringLiteral("Finder"));
        const quint32 documents = world.addWindow(finder, QRectF(80, 120, 900, 560), QStringLiteral("Documents"));
        OwnWindowMirror mirror(world.platform.ownWindows);
        QWidget before;
        before.setProperty(OwnWindowRegistry::notOnDesktopProperty, true);
        before.show();
        QVERIFY(QTest::qWaitForWindowExposed(&before));
        mirror.start();
        QWidget backdrop;
        backdrop.setProperty(OwnWindowRegistry::notOnDesktopProperty, true);
        backdrop.setGeometry(0, 0, 1440, 900);
        backdrop.show();
        QVERIFY(QTest::qWaitForWindowExposed(&backdrop));

        QCOMPARE(mirror.numberOf(&before), 0u);
        QCOMPARE(mirror.numberOf(&backdrop), 0u);
        QCOMPARE(world.desktop.windowAt(QPointF(100, 300)), std::optional<quint32>(documents));
    }
};

QTEST_MAIN(TestOwnWindowMirror)
#include "tst_ownwindowmirror.moc"
