#include "platform/eventtap.h"
#include "platform/ownwindowregistry.h"
#include "platform/sim/simwindowpainter.h"
#include "simview/desktopbackdrop.h"
#include "simview/desktopbackdrops.h"
#include "simview/desktopscene.h"
#include "support/desktopworld.h"

#include <QKeyEvent>
#include <QPainter>
#include <QTest>
#include <QWindow>

using namespace Velmora;
using namespace Velmora::Sim;
using namespace Velmora::SimView;
using Velmora::Test::DesktopWorld;
using Velmora::Test::InterleavedWorld;

namespace {

QImage scene(const DesktopWorld &world)
{
    const DisplayInfo display = world.desktop.displays().first();
    QImage image(display.bounds.size().toSize(), QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    DesktopScene::paint(painter, world.desktop, display);
    return image;
}

QColor titleBarOf(const QString &name)
{
    return SimWindowPainter::titleBarColour(QStringLiteral("com.example.") + name);
}

// Hides the catcher at every press, before any widget sees the press, as a
// flyout's click monitor does when the press closes the flyout.
class HidesCatcherOnPress : public QObject
{
public:
    explicit HidesCatcherOnPress(ClickCatcherWindows &catcher)
        : m_catcher(catcher)
    {
        qApp->installEventFilter(this);
    }
    ~HidesCatcherOnPress() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonPress && watched->isWindowType())
            m_catcher.hide();
        return false;
    }

private:
    ClickCatcherWindows &m_catcher;
};

} // namespace

class TestDesktopBackdrop : public QObject
{
    Q_OBJECT

private slots:
    void windowsAreDrawnInStackingOrder()
    {
        DesktopWorld world;
        const qint32 alpha = world.addApp(QStringLiteral("Alpha"));
        const qint32 beta = world.addApp(QStringLiteral("Beta"));
        const quint32 a = world.addWindow(alpha, QRectF(100, 100, 600, 400), QStringLiteral("A"));
        const quint32 b = world.addWindow(beta, QRectF(300, 110, 600, 400), QStringLiteral("B"));
        world.clock.runPending();
        // A point in both title bars, away from the titles.
        const QPoint shared(650, 115);

        QCOMPARE(scene(world).pixel(shared), titleBarOf("Beta").rgb());
        world.desktop.setStackingOrder({a, b});
        QCOMPARE(scene(world).pixel(shared), titleBarOf("Alpha").rgb());

        // Minimized and hidden windows are not drawn.
        world.desktop.updateWindow(a, [](SimWindow &w) { w.minimized = true; });
        QCOMPARE(scene(world).pixel(shared), titleBarOf("Beta").rgb());
        world.desktop.hide(beta);
        const QRgb wallpaper = scene(world).pixel(shared);
        QVERIFY(wallpaper != titleBarOf("Beta").rgb() && wallpaper != titleBarOf("Alpha").rgb());
    }

    void thisApplicationsOwnWindowsAreLeftToTheirWindows()
    {
        DesktopWorld world;
        const QImage before = scene(world);
        world.addWindow(world.desktop.selfPid(), QRectF(0, 843, 1440, 57), QStringLiteral("Taskbar"),
            [](SimWindow &w) { w.layer = 25; });
        QCOMPARE(scene(world), before);
    }

    void aPressOnACoveredTitleBarBringsTheApplicationForward()
    {
        InterleavedWorld world;
        DesktopBackdrop backdrop(world.desktop, world.desktop.displays().first());
        // It draws the desktop and is no window on it, where it would take the clicks.
        QVERIFY(backdrop.property(OwnWindowRegistry::notOnDesktopProperty).toBool());
        // a2's title bar shows right of a1, which covers the rest of it.
        QCOMPARE(world.desktop.windowAt(QPointF(730, 160)), std::optional<quint32>(world.a2));

        QTest::mousePress(&backdrop, Qt::LeftButton, Qt::NoModifier, QPoint(730, 160));
        QTest::mouseRelease(&backdrop, Qt::LeftButton, Qt::NoModifier, QPoint(730, 160));
        world.clock.advance(1000);

        // Activating Alpha brought both its windows forward, the pressed one first.
        QCOMPARE(world.stackAndFrontmost(), (QStringList{"a2", "a1", "b1", "b2", "alpha"}));
    }

    void aTitleBarDragMovesTheWindowAndButtonsAct()
    {
        InterleavedWorld world;
        DesktopBackdrop backdrop(world.desktop, world.desktop.displays().first());
        // b1's title bar: 400..1000 by 300..328.
        QTest::mousePress(&backdrop, Qt::LeftButton, Qt::NoModifier, QPoint(700, 310));
        QTest::mouseMove(&backdrop, QPoint(650, 350));
        QTest::mouseRelease(&backdrop, Qt::LeftButton, Qt::NoModifier, QPoint(650, 350));
        QCOMPARE(world.desktop.window(world.b1)->bounds, QRectF(350, 340, 600, 400));

        // The minimize button acts on release.
        const QPoint minimize = SimDesktop::buttonFrame(*world.desktop.window(world.b1), SimNode::Kind::MinimizeButton)
                                    .center()
                                    .toPoint();
        QTest::mouseClick(&backdrop, Qt::LeftButton, Qt::NoModifier, minimize);
        world.clock.advance(2000);
        QVERIFY(world.desktop.window(world.b1)->minimized);

        // Zoom fills the visible frame and goes back.
        const QRectF before = world.desktop.window(world.a1)->bounds;
        const QPoint zoom = SimDesktop::buttonFrame(*world.desktop.window(world.a1), SimNode::Kind::ZoomButton)
                                .center()
                                .toPoint();
        QTest::mouseClick(&backdrop, Qt::LeftButton, Qt::NoModifier, zoom);
        QCOMPARE(world.desktop.window(world.a1)->bounds, QRectF(0, 25, 1440, 875));
        QTest::mouseClick(&backdrop, Qt::LeftButton, Qt::NoModifier,
            SimDesktop::buttonFrame(*world.desktop.window(world.a1), SimNode::Kind::ZoomButton).center().toPoint());
        QCOMPARE(world.desktop.window(world.a1)->bounds, before);
    }

    void controlStandsInForCommand()
    {
        QCOMPARE(DesktopBackdrop::modifierFlags(Qt::ControlModifier), quint64(CommandFlag));
        QCOMPARE(DesktopBackdrop::modifierFlags(Qt::MetaModifier | Qt::ShiftModifier), quint64(ControlFlag | ShiftFlag));
        QCOMPARE(DesktopBackdrop::virtualKeyCode(Qt::Key_M), std::optional<quint16>(46));
        QCOMPARE(DesktopBackdrop::virtualKeyCode(Qt::Key_W), std::optional<quint16>(13));
    }

    // Under X11 a letter typed with Control held arrives as a control
    // character; the simulated desktop must still see Command and the letter,
    // both in its key taps (where the minimize and close shortcuts are taken
    // over) and in the front application.
    void controlLettersReachTheDesktopAsCommandShortcuts_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("x11Text");
        QTest::addColumn<QString>("characters");
        QTest::addColumn<QString>("effect");
        QTest::newRow("control-m minimizes") << int(Qt::Key_M) << QStringLiteral("\r") << "m" << "minimized";
        QTest::newRow("control-w closes") << int(Qt::Key_W) << QStringLiteral("\x17") << "w" << "closed";
        QTest::newRow("control-n opens a window") << int(Qt::Key_N) << QStringLiteral("\x0e") << "n" << "opened";
    }

    void controlLettersReachTheDesktopAsCommandShortcuts()
    {
        QFETCH(int, key);
        QFETCH(QString, x11Text);
        QFETCH(QString, characters);
        QFETCH(QString, effect);

        InterleavedWorld world;
        DesktopBackdrop backdrop(world.desktop, world.desktop.displays().first());
        QList<KeyEvent> tapped;
        SimInput::KeyTap tap;
        tap.callback = [&](const KeyEvent &event) {
            tapped.append(event);
            return 0;
        };
        world.desktop.addKeyTap(tap);
        const int windowsBefore = int(world.desktop.windows().size());

        QKeyEvent press(QEvent::KeyPress, key, Qt::ControlModifier, x11Text);
        QCoreApplication::sendEvent(&backdrop, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::ControlModifier, x11Text);
        QCoreApplication::sendEvent(&backdrop, &release);
        world.clock.advance(3000);

        QCOMPARE(tapped.size(), 1);
        QCOMPARE(tapped.first().characters, characters);
        QCOMPARE(tapped.first().flags, quint64(CommandFlag));
        const std::optional<SimWindow> front = world.desktop.window(world.b1);
        if (effect == QLatin1String("minimized"))
            QVERIFY(front && front->minimized);
        else if (effect == QLatin1String("closed"))
            QVERIFY(!front);
        else
            QCOMPARE(int(world.desktop.windows().size()), windowsBefore + 1);
    }

    void shiftedLettersAndPlainKeysKeepTheirText()
    {
        QKeyEvent shifted(QEvent::KeyPress, Qt::Key_M, Qt::ShiftModifier | Qt::ControlModifier, QStringLiteral("\r"));
        QCOMPARE(DesktopBackdrop::keyEvent(shifted, true).characters, QStringLiteral("M"));
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QCOMPARE(DesktopBackdrop::keyEvent(enter, true).characters, QStringLiteral("\r"));
        QCOMPARE(DesktopBackdrop::keyEvent(enter, false).type, InputEventType::KeyUp);
    }

    // The tooltip asks the desktop where the pointer is; over a bar or a
    // flyout the backdrops see nothing of it.
    void thePointerFollowsThePersonOverTheApplicationsOtherWindows()
    {
        DesktopWorld world;
        DesktopBackdrops backdrops(world.desktop);
        backdrops.start();
        QWidget bar(nullptr, Qt::Tool | Qt::FramelessWindowHint);
        bar.setGeometry(100, 500, 300, 57);
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));

        QTest::mouseMove(&bar, QPoint(40, 20));
        QCOMPARE(world.desktop.pointer(), QPointF(140, 520));
        // In the screen convention, y up from the primary display's bottom.
        QCOMPARE(world.displays.pointerLocation(), QPointF(140, 900 - 520));
    }

    // Where no clear window can lie over the desktop, the drawn desktop
    // catches the click that closes a flyout: a press on the bare desktop
    // runs the handler and never reaches the simulated desktop, even when
    // the flyout's click monitor took the catcher away before the backdrop
    // saw the press. Windows and the menu bar still get their presses.
    void catchesAClickOnTheBareDesktopWhileAFlyoutIsOpen()
    {
        InterleavedWorld world;
        DesktopBackdrops backdrops(world.desktop);
        backdrops.start();
        DesktopBackdrop *backdrop = backdrops.backdrop(1);
        QVERIFY(QTest::qWaitForWindowExposed(backdrop));
        // Through the window, as the person's clicks come, so the monitor hears them.
        QWindow *window = backdrop->windowHandle();
        QList<QPointF> reached;
        const std::unique_ptr<EventTap> tap = world.eventTaps.createMouseTap(
            eventMaskBit(InputEventType::LeftMouseDown), &backdrops,
            [&](const MouseEvent &event) { reached.append(event.location); });
        const QPoint bare(1300, 200);
        const QPoint onWindow(900, 650); // b1
        const QPoint inMenuBar(600, 10);
        QVERIFY(!world.desktop.windowAt(bare));

        int caught = 0;
        backdrops.show([&] { ++caught; });
        QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, onWindow);
        QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, inMenuBar);
        QCOMPARE(reached, (QList<QPointF>{onWindow, inMenuBar}));
        QCOMPARE(caught, 0);
        {
            HidesCatcherOnPress monitor(backdrops);
            QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, bare);
        }
        QCOMPARE(caught, 1);
        QCOMPARE(reached.size(), 2);
        QVERIFY(!world.eventTaps.pressedMouseButtons());

        // Once that press has been handled the catcher is gone: the next
        // click reaches the desktop.
        QTRY_VERIFY(!backdrop->isCatchingClicks());
        QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, bare);
        QCOMPARE(reached.size(), 3);
        QCOMPARE(caught, 1);
    }

    void changesRepaintOncePerFrameAndIdleCostsNothing()
    {
        DesktopWorld world;
        const qint32 alpha = world.addApp(QStringLiteral("Alpha"));
        DesktopBackdrops backdrops(world.desktop);
        backdrops.start();
        QCOMPARE(backdrops.count(), 1);
        DesktopBackdrop *backdrop = backdrops.backdrop(1);
        QVERIFY(QTest::qWaitForWindowExposed(backdrop));
        // Whatever the first showing paints, it is done after a few frames.
        QTest::qWait(100);
        const int paints = backdrop->paintCount();

        // Many changes in one turn: one repaint.
        for (int i = 0; i < 10; ++i)
            world.addWindow(alpha, QRectF(100 + i * 10, 100, 300, 200));
        world.clock.runPending();
        QVERIFY(backdrops.isRepaintPending());
        QTRY_COMPARE(backdrop->paintCount(), paints + 1);

        // Nothing changes: nothing is painted.
        QTest::qWait(100);
        QCOMPARE(backdrop->paintCount(), paints + 1);
        QVERIFY(!backdrops.isRepaintPending());
    }
};

QTEST_MAIN(TestDesktopBackdrop)
#include "tst_desktopbackdrop.moc"
