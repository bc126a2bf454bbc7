#include "app/appownwindowshost.h"
#include "app/appsettingswindowhost.h"
#include "app/ownwindowmirror.h"
#include "app/taskbarpanel.h"
#include "support/desktopworld.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

using namespace Velmora;
using Velmora::Test::DesktopWorld;

class TestAppOwnWindowsHost : public QObject
{
    Q_OBJECT

private slots:
    // Our titled windows close with Control+W wherever the keyboard is in
    // them; a bar or flyout does not.
    void titledWindowsCloseWithTheCloseShortcut()
    {
        DesktopWorld world;
        OwnWindowMirror mirror(world.platform.ownWindows);
        TaskbarPanel panel;
        AppSettingsWindowHost settingsHost({world.displays, {}});
        AppOwnWindowsHost host({mirror, settingsHost, [] { return nullptr; }, [&] { return &panel; }});
        QWidget window;
        window.setWindowTitle(QStringLiteral("Task Manager"));
        auto *field = new QLineEdit(&window);
        QWidget flyout(nullptr, Qt::Tool | Qt::FramelessWindowHint);
        window.show();
        flyout.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QTest::keyClick(&flyout, Qt::Key_W, Qt::ControlModifier);
        QVERIFY(flyout.isVisible());
        QTest::keyClick(field, Qt::Key_M, Qt::ControlModifier);
        QVERIFY(window.isVisible());
        QTest::keyClick(field, Qt::Key_W, Qt::ControlModifier);
        QVERIFY(!window.isVisible());
    }

    void theSettingsWindowAndOtherWindows()
    {
        DesktopWorld world;
        OwnWindowMirror mirror(world.platform.ownWindows);
        mirror.start();
        TaskbarPanel panel;
        panel.show();
        AppSettingsWindowHost settingsHost({world.displays, {}});
        AppOwnWindowsHost host({mirror, settingsHost, [] { return nullptr; }, [&] { return &panel; }});
        int changes = 0;
        host.setWindowsChangedHandler([&] { ++changes; });

        QVERIFY(!host.settingsWindow());
        host.createSettingsWindow();
        QWidget *settings = host.settingsWidget();
        QCOMPARE(settings->windowTitle(), QStringLiteral("Velmora Settings"));
        QCOMPARE(settings->objectName(), QStringLiteral("Velmora.Settings"));
        QCOMPARE(settings->size(), QSize(600, 740));
        // Centred on the screen above the bar (y 57 to 875 in screen coordinates).
        QCOMPARE(settings->geometry(), QRect(420, 64, 600, 740));
        QVERIFY(!host.settingsWindow()->isVisible);
        QVERIFY(!settingsHost.isSettingsWindowOpen());
        // Known by a number before it is first shown, so the store can show it.
        QVERIFY(host.settingsWindow()->number != 0);
        host.show(host.settingsWindow()->number);
        QVERIFY(settings->isVisible());
        settings->hide();

        settings->show();
        QVERIFY(QTest::qWaitForWindowExposed(settings));
        const OwnWindowsHost::Window shown = *host.settingsWindow();
        QVERIFY(shown.number != 0 && shown.isVisible);
        // One host answers for the window: the store's refresh sees it open.
        QVERIFY(settingsHost.isSettingsWindowOpen());
        QTRY_VERIFY(changes > 0);

        host.miniaturize(shown.number);
        QVERIFY(host.settingsWindow()->isMiniaturized);
        QVERIFY(settingsHost.isSettingsWindowOpen());
        host.show(shown.number);
        QVERIFY(!host.settingsWindow()->isMiniaturized);

        // The panel is not one of the windows the "other windows" button shows;
        // a plain titled window is.
        QVERIFY(host.otherWindows().isEmpty());
        QCOMPARE(host.otherWindowsButtonTitle(), std::nullopt);
        QWidget other;
        other.setWindowTitle(QStringLiteral("About Velmora"));
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&other));
        QCOMPARE(host.otherWindows().size(), 1);
        QCOMPARE(host.otherWindowsButtonTitle(), std::optional<QString>(QStringLiteral("About Velmora")));
        // A window without a title is named after the product.
        other.setWindowTitle(QString());
        QCOMPARE(host.otherWindowsButtonTitle(), std::optional<QString>(QStringLiteral("Velmora")));
        other.hide();
        QVERIFY(host.otherWindows().isEmpty());
        QCOMPARE(host.otherWindowsButtonTitle(), std::nullopt);

        // No Task Manager yet: nothing to show, nothing breaks.
        QVERIFY(!host.taskManagerWindow());
        host.presentTaskManager();
        QVERIFY(!host.taskManagerWindow());
    }
};

QTEST_MAIN(TestAppOwnWindowsHost)
#include "tst_appownwindowshost.moc"
