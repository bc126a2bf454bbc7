#include "simview/systemsettingspane.h"
#include "support/desktopworld.h"

#include <QTest>

using namespace Velmora;
using namespace Velmora::Sim;
using namespace Velmora::SimView;
using Velmora::Test::DesktopWorld;

namespace {

using Control = SystemSettingsPane::Control;

struct PaneWorld : DesktopWorld
{
    SystemSettingsPane pane{desktop};

    PaneWorld()
    {
        desktop.setAccessibilityTrusted(false);
        desktop.setScreenCaptureAccess(SimPermission::NotDetermined);
        desktop.setGrantsAccessibilityOnPrompt(false);
    }

    void click(Control control)
    {
        QTest::mouseClick(&pane, Qt::LeftButton, {}, pane.controlRect(control).center().toPoint());
    }
};

} // namespace

class TestSystemSettingsPane : public QObject
{
    Q_OBJECT
private slots:
    void opensWhereTheProductSendsThePerson()
    {
        PaneWorld world;
        QVERIFY(world.pane.isHidden());
        world.workspace.openUrl(QUrl("x-apple.systempreferences:com.apple.Desktop-Settings.extension"));
        QVERIFY(world.pane.isVisible());
        QCOMPARE(world.pane.section(), SystemSettingsPane::Section::desktopAndDock);
        world.click(Control::close);
        QVERIFY(world.pane.isHidden());

        world.workspace.openUrl(
            QUrl("x-apple.systempreferences:com.apple.preference.security?Privacy_ScreenCapture"));
        QCOMPARE(world.pane.section(), SystemSettingsPane::Section::privacy);
        world.pane.hide();

        // The system's own prompts lead there too, once the answer is the person's.
        world.accessibility.isProcessTrustedWithPrompt(true);
        QVERIFY(world.pane.isVisible());
        world.pane.hide();
        QVERIFY(!world.screenCapture.requestAccess());
        QVERIFY(world.pane.isVisible());
        world.pane.hide();
        world.screenCapture.requestAccess();
        QVERIFY(world.pane.isHidden());
        // Other addresses are not the settings.
        world.workspace.openUrl(QUrl("https://example.com/settings"));
        QVERIFY(world.pane.isHidden());
    }

    void switchesThePermissionsOnAndOff()
    {
        PaneWorld world;
        world.pane.open("Privacy_Accessibility");
        world.click(Control::accessibility);
        QVERIFY(world.desktop.isAccessibilityTrusted());
        QVERIFY(world.accessibility.isProcessTrusted());
        world.click(Control::accessibility);
        QVERIFY(!world.desktop.isAccessibilityTrusted());

        world.click(Control::screenRecording);
        QCOMPARE(world.desktop.screenCaptureAccess(), SimPermission::Granted);
        world.click(Control::screenRecording);
        QCOMPARE(world.desktop.screenCaptureAccess(), SimPermission::Denied);
        QVERIFY(!world.screenCapture.preflightAccess());
    }

    void movesAndHidesTheDock()
    {
        PaneWorld world;
        const qint32 dock = world.addDock();
        world.addWindow(dock, QRectF(400, 830, 640, 70), "Dock", [](SimWindow &w) { w.layer = 20; });
        world.pane.open("com.apple.Desktop-Settings.extension");
        const auto strip = [&world]() -> std::optional<SimWindow> {
            for (const SimWindow &window : world.desktop.windows()) {
                if (window.layer == 20)
                    return window;
            }
            return std::nullopt;
        };

        world.click(Control::dockLeft);
        QCOMPARE(world.desktop.preference("com.apple.dock", "orientation"), QVariant("left"));
        world.clock.advance(world.desktop.knobs().dockRestartMs);
        QCOMPARE(strip()->bounds.left(), 0.0);
        QVERIFY(strip()->visible);

        world.click(Control::dockAutohide);
        QCOMPARE(world.desktop.preference("com.apple.dock", "autohide"), QVariant(true));
        world.clock.advance(world.desktop.knobs().dockRestartMs);
        QVERIFY(!strip()->visible);
    }
};

QTEST_MAIN(TestSystemSettingsPane)
#include "tst_systemsettingspane.moc"
