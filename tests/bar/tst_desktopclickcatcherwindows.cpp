#include "bar/clickcatcherwindow.h"
#include "bar/desktopclickcatcherwindows.h"
#include "services/velmoraownwindows.h"
#include "../support/desktopworld.h"

#include <QTest>
#include <QWindow>

using namespace Velmora;
using namespace Velmora::Test;

namespace {

struct RecordingCatcher : ClickCatcherWindows
{
    std::function<void()> onClick;
    int shows = 0;
    int hides = 0;
    void show(std::function<void()> handler) override
    {
        ++shows;
        onClick = std::move(handler);
    }
    void hide() override
    {
        ++hides;
        onClick = {};
    }
};

QList<ClickCatcherWindow *> windowsOf(const DesktopClickCatcherWindows &catchers)
{
    QList<ClickCatcherWindow *> list;
    for (const auto &window : catchers.windows())
        list.append(window.get());
    return list;
}

} // namespace

class TestDesktopClickCatcherWindows : public QObject
{
    Q_OBJECT
private slots:
    void oneCatcherPerScreenThatTakesTheClick()
    {
        DesktopWorld world;
        // A second screen to the right of the primary one, its top 180 points lower.
        world.desktop.setDisplays({display(1, QRectF(0, 0, 1440, 900)), display(2, QRectF(1440, 180, 1280, 720))});
        DesktopClickCatcherWindows catchers(world.displays, [] { return true; });
        int clicks = 0;
        catchers.show([&] { ++clicks; });
        const QList<ClickCatcherWindow *> windows = windowsOf(catchers);
        QCOMPARE(windows.size(), 2);
        QCOMPARE(windows.at(0)->geometry(), QRect(0, 0, 1440, 900));
        QCOMPARE(windows.at(1)->geometry(), QRect(1440, 180, 1280, 720));
        for (ClickCatcherWindow *window : windows) {
            QVERIFY(window->isVisible());
            QVERIFY(window->testAttribute(Qt::WA_ShowWithoutActivating));
            QVERIFY(window->windowFlags() & Qt::WindowStaysOnBottomHint);
            // Furniture, and never taken for a flyout.
            QCOMPARE(VelmoraOwnWindows::role(window->windowHandle()), VelmoraOwnWindows::Role::Panel);
            QVERIFY(!VelmoraOwnWindows::isFlyout(window->windowHandle()));
        }
        QTest::mouseClick(windows.at(1), Qt::LeftButton, {}, QPoint(40, 40));
        QTest::mouseClick(windows.at(0), Qt::RightButton, {}, QPoint(40, 40));
        QCOMPARE(clicks, 2);

        // Hidden, they keep no handler; shown again on the same screens, the
        // same windows serve, and the last show owns the clicks.
        catchers.hide();
        QVERIFY(!windows.at(0)->isVisible());
        QVERIFY(!windows.at(0)->onClick);
        int later = 0;
        catchers.show([&] { ++later; });
        QCOMPARE(windowsOf(catchers), windows);
        QTest::mouseClick(windows.at(0), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(clicks, 2);
        QCOMPARE(later, 1);
    }

    // A clear window that the window system would paint black is never
    // shown; the drawn desktop, when there is one, catches the click instead.
    void withoutClearWindowsTheDrawnDesktopCatches()
    {
        DesktopWorld world;
        bool clearWindows = false;
        DesktopClickCatcherWindows catchers(world.displays, [&] { return clearWindows; });
        catchers.show([] {});
        QVERIFY(catchers.windows().empty());
        catchers.hide();

        RecordingCatcher drawn;
        catchers.setDrawnDesktop(&drawn);
        int clicks = 0;
        catchers.show([&] { ++clicks; });
        QVERIFY(catchers.windows().empty());
        QVERIFY(drawn.onClick);
        drawn.onClick();
        QCOMPARE(clicks, 1);
        catchers.hide();
        QVERIFY(!drawn.onClick);

        // With clear windows the drawn desktop is left alone.
        clearWindows = true;
        catchers.show([] {});
        QCOMPARE(catchers.windows().size(), size_t(1));
        catchers.hide();
        QCOMPARE(drawn.shows, 1);
        QCOMPARE(drawn.hides, 1);
    }

    void changedScreensRebuildAtTheNextShow_data()
    {
        QTest::addColumn<QList<QRectF>>("screens");
        QTest::newRow("screen added")
            << QList<QRectF>{QRectF(0, 0, 1440, 900), QRectF(1440, 0, 1920, 1080), QRectF(-1024, 0, 1024, 768)};
        QTest::newRow("screen removed") << QList<QRectF>{QRectF(0, 0, 1440, 900)};
        QTest::newRow("screen moved") << QList<QRectF>{QRectF(0, 0, 1440, 900), QRectF(0, 900, 1920, 1080)};
    }
    void changedScreensRebuildAtTheNextShow()
    {
        QFETCH(QList<QRectF>, screens);
        DesktopWorld world;
        world.desktop.setDisplays({display(1, QRectF(0, 0, 1440, 900)), display(2, QRectF(1440, 0, 1920, 1080))});
        DesktopClickCatcherWindows catchers(world.displays, [] { return true; });
        catchers.show([] {});
        catchers.hide();
        QList<DisplayInfo> displays;
        for (const QRectF &bounds : screens)
            displays.append(display(quint32(displays.size() + 1), bounds));
        world.desktop.setDisplays(displays);
        catchers.show([] {});
        QCOMPARE(catchers.windows().size(), size_t(screens.size()));
        for (int i = 0; i < screens.size(); ++i) {
            QCOMPARE(catchers.windows().at(size_t(i))->geometry(), screens.at(i).toRect());
            QVERIFY(catchers.windows().at(size_t(i))->isVisible());
        }
    }
};

QTEST_MAIN(TestDesktopClickCatcherWindows)
#include "tst_desktopclickcatcherwindows.moc"
