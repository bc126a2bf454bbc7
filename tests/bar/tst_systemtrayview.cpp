#include "bar/model/traybuttonstyle.h"
#include "bar/systemtrayview.h"
#include "bar/traybutton.h"
#include "store/permissions.h"
#include "../store/storeworld.h"

#include <QSignalSpy>
#include <QTest>

using namespace Velmora;
using namespace Velmora::Test;

class TestSystemTrayView : public QObject
{
    Q_OBJECT
private slots:
    // The tray is 28 points wide with its warning while the application is
    // not trusted, and empty and 0 wide while it is.
    void widthFollowsTheTrust()
    {
        StoreWorld world;
        world.desktop.setAccessibilityTrusted(true);
        const auto store = world.make(false);
        store->permissions().refreshPermissions();
        SystemTrayView tray(store->permissions());
        tray.resize(tray.sizeHint().width(), 57);
        QSignalSpy widths(&tray, &SystemTrayView::trayWidthChanged);
        QCOMPARE(tray.trayWidth(), 0.0);
        QCOMPARE(tray.sizeHint().width(), 0);
        QCOMPARE(tray.warningButton(), nullptr);
        QVERIFY(tray.findChildren<QWidget *>().isEmpty());

        world.desktop.setAccessibilityTrusted(false);
        store->permissions().refreshPermissions();
        QCOMPARE(tray.trayWidth(), 28.0);
        QCOMPARE(tray.sizeHint().width(), 28);
        QCOMPARE(widths.size(), 1);
        QCOMPARE(widths.last().at(0).toReal(), 28.0);
        TrayButton *button = tray.warningButton();
        QVERIFY(button);
        QCOMPARE(button->size(), QSize(28, 34));
        QCOMPARE(button->toolTip(), QStringLiteral("Accessibility permission is required to keep windows above Velmora"));

        world.desktop.setAccessibilityTrusted(true);
        store->permissions().refreshPermissions();
        QCOMPARE(tray.trayWidth(), 0.0);
        QCOMPARE(tray.warningButton(), nullptr);
        QCOMPARE(widths.size(), 2);
    }

    // The first click ever shows the system's prompt; later ones the pane.
    void clickAsksForThePermission()
    {
        StoreWorld world;
        world.desktop.setAccessibilityTrusted(false);
        const auto store = world.make(false);
        SystemTrayView tray(store->permissions());
        tray.resize(28, 57);
        tray.show();
        const auto prompts = [&] {
            int shown = 0;
            for (const Sim::SimRequest &request : world.desktop.requests(Sim::SimOperations::IsProcessTrusted))
                shown += request.name == "prompt" ? 1 : 0;
            return shown;
        };
        // The whole 28 by 34 rectangle is the hit area, not only the glyph.
        QTest::mouseClick(tray.warningButton(), Qt::LeftButton, {}, QPoint(1, 1));
        QCOMPARE(prompts(), 1);
        QTest::mouseClick(tray.warningButton(), Qt::LeftButton, {}, QPoint(14, 17));
        QCOMPARE(prompts(), 1);
        QVERIFY(!store->permissions().isAccessibilityTrusted());
        QVERIFY(tray.warningButton());
    }

    void fillFollowsHoverAndPress_data()
    {
        QTest::addColumn<bool>("pressed");
        QTest::addColumn<bool>("hovering");
        QTest::addColumn<qreal>("opacity");
        QTest::newRow("idle") << false << false << 0.0;
        QTest::newRow("hovered") << false << true << 0.09;
        QTest::newRow("pressed") << true << true << 0.15;
        QTest::newRow("pressed, pointer gone") << true << false << 0.15;
    }
    void fillFollowsHoverAndPress()
    {
        QFETCH(bool, pressed);
        QFETCH(bool, hovering);
        QFETCH(qreal, opacity);
        QCOMPARE(TrayButtonStyle::fillOpacity(pressed, hovering), opacity);
    }
};

QTEST_MAIN(TestSystemTrayView)
#include "tst_systemtrayview.moc"
