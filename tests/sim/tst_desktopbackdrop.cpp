#include "platform/sim/simwindowpainter.h"
#include "simview/desktopbackdrop.h"
#include "simview/desktopbackdrops.h"
#include "simview/desktopscene.h"
#include "support/desktopworld.h"

#include <QPainter>
#include <QTest>

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

        InterleavedWorld world;
        DesktopBackdrop backdrop(world.desktop, world.desktop.displays().first());
        int commandW = 0;
        SimInput::KeyTap tap;
        tap.callback = [&](const KeyEvent &key) {
            commandW += key.keyCode == 13 && (key.flags & CommandFlag);
            return 0;
        };
        world.desktop.addKeyTap(tap);
        QTest::keyClick(&backdrop, Qt::Key_W, Qt::ControlModifier);
        QCOMPARE(commandW, 1);
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
