#include "app/model/statusmenumodel.h"
#include "app/statusmenu.h"
#include "support/desktopworld.h"

#include <QAction>
#include <QMenu>
#include <QTest>

using namespace Velmora;
using Command = StatusMenuModel::Command;

namespace {

DisplayInfo screen(quint32 id, const QRectF &frame, double menuBar)
{
    DisplayInfo info;
    info.displayId = id;
    info.frame = frame;
    info.visibleFrame = frame.adjusted(0, 0, 0, -menuBar);
    return info;
}

// The status menu on the simulated desktop: two displays side by side, the
// second taller; every command recorded; the menu "shown" by a stand-in
// that notes what it showed and picks `choice` (or nothing).
struct MenuWorld : Test::DesktopWorld
{
    QStringList ran;
    bool hasOnboardingWindow = false;
    std::optional<RunningApplication> frontBeforeClick;
    std::optional<QString> choice;
    QStringList shownTitles;
    QPoint shownAt;
    bool highlightedWhileShown = false;
    std::unique_ptr<StatusMenu> menu;

    explicit MenuWorld(bool withUpdater = true)
    {
        desktop.setDisplays(
            {Test::display(1, QRectF(0, 0, 1440, 900)), Test::display(2, QRectF(1440, -180, 1920, 1080))});
        clock.runPending();

        std::map<Command, std::function<void()>> commands;
        for (auto [command, name] : {std::pair{Command::ShowOnboarding, "onboarding"},
                 {Command::ShowSettings, "settings"}, {Command::Restart, "restart"}, {Command::Quit, "quit"}})
            commands[command] = [this, name] { ran << name; };
        if (withUpdater)
            commands[Command::CheckForUpdates] = [this] { ran << "updates"; };
        menu = std::make_unique<StatusMenu>(StatusMenu::Environment{
            .item = platform.statusItem,
            .displays = displays,
            .workspace = workspace,
            .frontmostAppBeforeClick = [this] { return frontBeforeClick; },
            .hasOnboardingWindow = [this] { return hasOnboardingWindow; },
            .commands = commands,
            .popUp = [this](QMenu &shown, const QPoint &at) -> QAction * {
                shownAt = at;
                highlightedWhileShown = platform.statusItem.isHighlighted();
                shownTitles.clear();
                QAction *picked = nullptr;
                for (QAction *action : shown.actions()) {
                    if (!action->isVisible())
                        continue;
                    shownTitles << (action->isSeparator() ? QStringLiteral("-") : action->text());
                    if (choice && action->text() == *choice)
                        picked = action;
                }
                if (picked)
                    picked->trigger();
                return picked;
            },
        });
        menu->makeStatusItem();
    }
};

} // namespace

class TestStatusMenu : public QObject
{
    Q_OBJECT

private slots:
    void theItemShowsTheMarkAndOpensTheMenu()
    {
        MenuWorld world;
        Sim::SimStatusItem &item = world.platform.statusItem;
        QVERIFY(item.isInstalled());
        QCOMPARE(item.accessibilityDescription(), QStringLiteral("Velmora"));
        QVERIFY(!item.image().isNull());

        world.choice = QStringLiteral("Settings");
        item.click();
        QVERIFY(world.highlightedWhileShown);
        QVERIFY(!item.isHighlighted());
        QCOMPARE(world.ran, QStringList{"settings"});
        QCOMPARE(world.menu->action(Command::Quit)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    }

    void itemsFollowTheUpdaterAndTheOnboardingWindow_data()
    {
        QTest::addColumn<bool>("withUpdater");
        QTest::addColumn<bool>("onboardingWindow");
        QTest::addColumn<QStringList>("titles");
        QTest::newRow("everything") << true << true
            << QStringList{"Continue Setup…", "Settings", "Check for Updates…", "-", "Restart Velmora", "Quit Velmora"};
        QTest::newRow("no onboarding window") << true << false
            << QStringList{"Settings", "Check for Updates…", "-", "Restart Velmora", "Quit Velmora"};
        QTest::newRow("no updater: the separator follows Settings") << false << false
            << QStringList{"Settings", "-", "Restart Velmora", "Quit Velmora"};
        QTest::newRow("no updater, onboarding open") << false << true
            << QStringList{"Continue Setup…", "Settings", "-", "Restart Velmora", "Quit Velmora"};
    }

    void itemsFollowTheUpdaterAndTheOnboardingWindow()
    {
        QFETCH(bool, withUpdater);
        QFETCH(bool, onboardingWindow);
        QFETCH(QStringList, titles);
        MenuWorld world(withUpdater);
        world.hasOnboardingWindow = onboardingWindow;
        world.platform.statusItem.click();
        QCOMPARE(world.shownTitles, titles);

        // The onboarding window closing takes its item away at the next click.
        world.hasOnboardingWindow = false;
        world.platform.statusItem.click();
        QVERIFY(!world.shownTitles.contains(QStringLiteral("Continue Setup…")));
    }

    void placement_data()
    {
        QTest::addColumn<QList<DisplayInfo>>("screens");
        QTest::addColumn<QPointF>("pointer");
        QTest::addColumn<QPointF>("topLeft");
        const DisplayInfo first = screen(1, QRectF(0, 0, 1440, 900), 25);
        const DisplayInfo second = screen(2, QRectF(1440, -180, 1920, 1080), 40);
        QTest::newRow("under the first screen's menu bar") << QList{first, second} << QPointF(1400, 890)
                                                           << QPointF(1388, 875);
        QTest::newRow("second screen, first screen's menu-bar height") << QList{first, second} << QPointF(2000, 880)
                                                                      << QPointF(1988, 875);
        QTest::newRow("top edge belongs to the screen") << QList{first, second} << QPointF(100, 900)
                                                        << QPointF(88, 875);
        QTest::newRow("off every screen: the main one") << QList{first, second} << QPointF(-50, 2000)
                                                       << QPointF(-62, 875);
        QTest::newRow("no screens at all") << QList<DisplayInfo>{} << QPointF(300, 500) << QPointF(288, 470);
    }

    void placement()
    {
        QFETCH(QList<DisplayInfo>, screens);
        QFETCH(QPointF, pointer);
        QFETCH(QPointF, topLeft);
        const std::optional<DisplayInfo> main = screens.isEmpty() ? std::nullopt : std::optional(screens.first());
        QCOMPARE(StatusMenuModel::menuTopLeft(screens, main, pointer), topLeft);
    }

    void opensUnderTheMenuBarOfThePointersScreen()
    {
        MenuWorld world;
        // On the second display, 100 points below its top (global, y down).
        world.desktop.setPointer(QPointF(2000, -80));
        world.platform.statusItem.click();
        // Just under that display's menu bar (the first display's 25 points), 12 left of the pointer.
        QCOMPARE(world.shownAt, QPoint(1988, -180 + 25));
    }

    void focusGoesBackOnlyAfterADismissal()
    {
        MenuWorld world;
        const qint32 editor = world.addApp(QStringLiteral("Editor"));
        const qint32 other = world.addApp(QStringLiteral("Other"));
        world.desktop.makeFrontmost(other);
        world.clock.runPending();
        world.frontBeforeClick = world.app(editor);

        world.choice = QStringLiteral("Settings");
        world.platform.statusItem.click();
        world.clock.runPending();
        QCOMPARE(world.desktop.frontmostPid(), std::optional(other));

        world.choice.reset();
        world.platform.statusItem.click();
        world.clock.runPending();
        QCOMPARE(world.desktop.frontmostPid(), std::optional(editor));

        // An application that has quit since is left alone.
        world.desktop.makeFrontmost(other);
        world.clock.runPending();
        world.desktop.terminate(editor);
        world.clock.runPending();
        world.platform.statusItem.click();
        world.clock.runPending();
        QCOMPARE(world.desktop.frontmostPid(), std::optional(other));
    }
};

QTEST_MAIN(TestStatusMenu)
#include "tst_statusmenu.moc"
