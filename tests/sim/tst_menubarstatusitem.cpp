#include "platform/sim/simstatusitem.h"
#include "simview/desktopbackdrop.h"
#include "simview/desktopscene.h"
#include "simview/menubarstatusitem.h"
#include "support/desktopworld.h"

#include <QSignalSpy>
#include <QTest>

using namespace Velmora;
using namespace Velmora::SimView;

// The product's status item in the drawn menu bar: drawn only once it is
// installed, and a press on it reaches the item rather than the desktop.
class TestMenuBarStatusItem : public QObject
{
    Q_OBJECT
private slots:
    void drawnAtTheRightOfTheMenuBarAndClickable()
    {
        Test::DesktopWorld world;
        Sim::SimStatusItem item;
        DesktopBackdrop backdrop(world.desktop, world.desktop.displays().first());
        backdrop.setStatusItem(&item);
        const QRectF slot = MenuBarStatusItem::slot(1440, DesktopScene::menuBarHeight);
        QCOMPARE(slot, QRectF(1400, 0, 30, 25));
        const QPoint centre = slot.center().toPoint();
        // The tinted mark is dark at the slot's centre; the bar around it is light.
        const auto darkAtCentre = [&] { return backdrop.grab().toImage().pixelColor(centre).lightness() < 100; };

        QSignalSpy clicked(&item, &StatusItem::clicked);
        int leftDowns = 0;
        auto tap = world.eventTaps.createMouseTap(this, [&](const MouseEvent &event) {
            leftDowns += event.type == InputEventType::LeftMouseDown ? 1 : 0;
        });
        QTest::mouseClick(&backdrop, Qt::LeftButton, {}, centre);
        QCoreApplication::processEvents();
        QCOMPARE(clicked.count(), 0);
        QCOMPARE(leftDowns, 1);
        QVERIFY(!darkAtCentre());

        // A solid mark: whatever its colour, the bar tints it like its text.
        QPixmap mark(18, 18);
        mark.fill(Qt::white);
        item.install(QIcon(mark), QStringLiteral("Velmora"));
        QVERIFY(darkAtCentre());
        QTest::mouseClick(&backdrop, Qt::LeftButton, {}, centre);
        QTRY_COMPARE(clicked.count(), 1);
        // The desktop never saw that press.
        QCOMPARE(leftDowns, 1);
    }
};

QTEST_MAIN(TestMenuBarStatusItem)
#include "tst_menubarstatusitem.moc"
