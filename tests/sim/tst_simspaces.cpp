#include "support/desktopworld.h"

#include "platform/axnames.h"

#include <QSignalSpy>
#include <QTest>

using namespace Velmora;
using namespace Velmora::Sim;
using Velmora::Test::DesktopWorld;

class TestSimSpaces : public QObject
{
    Q_OBJECT
private slots:
    // Focusing or raising a window of another Space takes the desktop to
    // that Space; a window on every Space, or on the one shown, changes nothing.
    void bringingAWindowForwardShowsItsSpace_data()
    {
        QTest::addColumn<int>("windowSpace");
        QTest::addColumn<bool>("byRaise");
        QTest::addColumn<int>("shownAfter");
        QTest::newRow("focus, other Space") << 2 << false << 2;
        QTest::newRow("raise, other Space") << 2 << true << 2;
        QTest::newRow("focus, this Space") << 1 << false << 1;
        QTest::newRow("focus, every Space") << 0 << false << 1;
    }
    void bringingAWindowForwardShowsItsSpace()
    {
        QFETCH(int, windowSpace);
        QFETCH(bool, byRaise);
        QFETCH(int, shownAfter);
        DesktopWorld world;
        world.desktop.setCurrentSpace(1);
        const qint32 pid = world.addApp("Mail");
        const quint32 here = world.addWindow(pid, QRectF(100, 100, 600, 400), "Inbox", [](SimWindow &w) { w.space = 1; });
        const quint32 window = world.addWindow(pid, QRectF(200, 150, 600, 400), "Draft",
            [&](SimWindow &w) { w.space = windowSpace; });
        world.clock.runPending();
        QSignalSpy spaceChanged(&world.workspace, &Workspace::activeSpaceChanged);

        byRaise ? world.desktop.raiseWindow(window) : world.desktop.focusWindow(window);
        world.clock.runPending();
        QCOMPARE(world.desktop.currentSpace(), shownAfter);
        QCOMPARE(spaceChanged.size(), shownAfter == 1 ? 0 : 1);
        // The window is in front on the Space shown; the other Space's window is off screen.
        const QList<quint32> onScreen = world.listed(WindowList::OnScreenExceptDesktop);
        QCOMPARE(onScreen.first(), window);
        QCOMPARE(onScreen.contains(here), shownAfter == 1);
    }

    // Full screen moves a window to a Space of its own on its display, sized
    // to the display; the other display keeps showing its Space. Leaving
    // brings the window back.
    void fullScreenGivesAWindowASpaceOfItsOwn_data()
    {
        QTest::addColumn<bool>("ownSpace");
        QTest::newRow("as the desktop does") << true;
        QTest::newRow("a flag only (behaviour off)") << false;
    }
    void fullScreenGivesAWindowASpaceOfItsOwn()
    {
        QFETCH(bool, ownSpace);
        DesktopWorld world;
        SimKnobs knobs = world.desktop.knobs();
        knobs.fullScreenMovesToOwnSpace = ownSpace;
        world.desktop.setKnobs(knobs);
        DisplayInfo main, second;
        main.displayId = 1;
        main.bounds = QRectF(0, 0, 1440, 900);
        second.displayId = 2;
        second.bounds = QRectF(1440, 0, 1280, 800);
        world.desktop.setDisplays({main, second});
        const qint32 pid = world.addApp("Player");
        const quint32 onMain = world.addWindow(pid, QRectF(100, 100, 600, 400), "Library");
        const quint32 beside = world.addWindow(pid, QRectF(1500, 300, 300, 200), "Queue");
        const quint32 movie = world.addWindow(pid, QRectF(1540, 100, 800, 500), "Movie");
        world.clock.runPending();
        QSignalSpy spaceChanged(&world.workspace, &Workspace::activeSpaceChanged);
        auto &ax = world.accessibility;
        const AXElement element = world.desktop.windowElement(movie);

        QCOMPARE(ax.setAttributeValue(element, AXNames::FullScreen, AXValue::fromBool(true)), AXError::Success);
        world.clock.advance(world.desktop.knobs().fullScreenTransitionMs);
        QCOMPARE(ax.copyAttributeValue(element, AXNames::FullScreen).value()->toBool(), true);
        const QList<quint32> onScreen = world.listed(WindowList::OnScreenExceptDesktop);
        if (ownSpace) {
            QCOMPARE(world.desktop.window(movie)->bounds, second.bounds);
            QVERIFY(world.desktop.window(movie)->space != 1);
            QCOMPARE(world.desktop.spaceShownOn(2), world.desktop.window(movie)->space);
            QCOMPARE(world.desktop.spaceShownOn(1), 1);
            QCOMPARE(onScreen, (QList<quint32>{movie, onMain}));
            QCOMPARE(spaceChanged.size(), 1);
        } else {
            QCOMPARE(world.desktop.window(movie)->bounds, QRectF(1540, 100, 800, 500));
            QCOMPARE(onScreen, (QList<quint32>{movie, beside, onMain}));
            QCOMPARE(spaceChanged.size(), 0);
        }

        QCOMPARE(ax.setAttributeValue(element, AXNames::FullScreen, AXValue::fromBool(false)), AXError::Success);
        world.clock.advance(world.desktop.knobs().fullScreenTransitionMs);
        QCOMPARE(world.desktop.window(movie)->bounds, QRectF(1540, 100, 800, 500));
        QCOMPARE(world.desktop.window(movie)->space, 1);
        QCOMPARE(world.desktop.spaceShownOn(2), 1);
        QCOMPARE(world.listed(WindowList::OnScreenExceptDesktop), (QList<quint32>{movie, beside, onMain}));
        QCOMPARE(spaceChanged.size(), ownSpace ? 2 : 0);
    }

    // Closing a full-screen window takes its Space away with it.
    void aFullScreenWindowThatClosesTakesItsSpace()
    {
        DesktopWorld world;
        const qint32 pid = world.addApp("Player");
        const quint32 other = world.addWindow(pid, QRectF(100, 100, 600, 400), "Library");
        const quint32 movie = world.addWindow(pid, QRectF(200, 100, 800, 500), "Movie");
        QVERIFY(world.desktop.setFullScreen(movie, true));
        world.clock.advance(world.desktop.knobs().fullScreenTransitionMs);
        QCOMPARE(world.listed(WindowList::OnScreenExceptDesktop), QList<quint32>{movie});
        QVERIFY(world.desktop.removeWindow(movie));
        QCOMPARE(world.desktop.spaceShownOn(1), 1);
        QVERIFY(world.desktop.fullScreenSpaces().isEmpty());
        QCOMPARE(world.listed(WindowList::OnScreenExceptDesktop), QList<quint32>{other});
    }
};

QTEST_GUILESS_MAIN(TestSimSpaces)
#include "tst_simspaces.moc"
