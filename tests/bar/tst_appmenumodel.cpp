#include "bar/model/appmenumodel.h"
#include "barworld.h"
#include "support/simmenus.h"

#include <QTest>

using namespace Velmora;
using Kind = ApplicationMenuAction::Kind;
using Sim::SimMenuItem;

namespace {

// "title [symbol]" per entry, "-" for a separator, "title > (…)" for a submenu,
// "(disabled)" after a disabled one.
QStringList describe(const QList<AppMenuEntry> &entries)
{
    QStringList lines;
    for (const AppMenuEntry &entry : entries) {
        if (entry.kind == AppMenuEntry::Kind::Separator) {
            lines << QStringLiteral("-");
            continue;
        }
        QString line = entry.title;
        if (!entry.symbol.isEmpty())
            line += QStringLiteral(" [%1]").arg(entry.symbol);
        if (!entry.isEnabled)
            line += QStringLiteral(" (disabled)");
        if (entry.kind == AppMenuEntry::Kind::Submenu)
            line += QStringLiteral(" > (%1)").arg(describe(entry.submenu).join(QStringLiteral(", ")));
        lines << line;
    }
    return lines;
}

const AppMenuEntry *find(const QList<AppMenuEntry> &entries, const QString &title)
{
    for (const AppMenuEntry &entry : entries) {
        if (entry.title == title)
            return &entry;
        if (const AppMenuEntry *inner = find(entry.submenu, title))
            return inner;
    }
    return nullptr;
}

ApplicationMenuAction command(Kind kind, const QString &title, bool enabled = true)
{
    ApplicationMenuAction action;
    action.kind = kind;
    action.title = title;
    action.isEnabled = enabled;
    return action;
}

struct MenuWorld : Test::BarWorld
{
    MenuWorld()
        : BarWorld({"Editor", "Mail", "Notes"})
    {
    }
    AppMenuModel menu(const AppItem &app) { return AppMenuModel(*store, actions, app, 1); }
    qint32 pid(const QString &name) const
    {
        return workspace.runningApplications(QStringLiteral("com.example.") + name).constFirst().processIdentifier;
    }
    void cacheCommands(const QString &name, const QList<ApplicationMenuAction> &commands)
    {
        store->menuActions().cacheApplicationMenuActions({{pid(name), commands}}, {pid(name)});
    }
};

const QString options = QStringLiteral("Options [gearshape] > (Pin to taskbar [pin], Show in Finder [folder])");

} // namespace

class TestAppMenuModel : public QObject
{
    Q_OBJECT
private slots:
    // The Task Manager's button offers to open or close it, nothing else.
    void taskManager()
    {
        MenuWorld w;
        AppMenuModel menu = w.menu(AppItem::taskManager());
        QCOMPARE(describe(menu.entries()),
                 QStringList({"Open Task Manager [waveform.path.ecg]", "Close Task Manager [xmark.circle]"}));
        menu.entries().at(0).action();
        menu.entries().at(1).action();
        QCOMPARE(w.actions.take(), QStringList({"open:velmora-health-check", "closeTaskManager"}));
    }

    void runningAppWithoutWindowsOrCommands()
    {
        MenuWorld w;
        QCOMPARE(describe(w.menu(w.app("Notes")).entries()),
                 QStringList({options, "-", "Show All Windows [rectangle.3.group]", "Hide [eye.slash]",
                              "Quit [xmark.circle]"}));
    }

    // One entry per window in the picker's order, the main window ticked;
    // then the commands, a disabled one shown disabled.
    void windowsAndCommands()
    {
        MenuWorld w;
        w.cacheCommands("Editor", {command(Kind::newWindow, "New Window"), command(Kind::find, "Find…", false)});
        AppMenuModel menu = w.menu(w.app("Editor"));
        QCOMPARE(describe(menu.entries()),
                 QStringList({"Second [checkmark]", "First [macwindow]", "-", "New Window [macwindow.badge.plus]",
                              "Find… [magnifyingglass] (disabled)", "-", options, "-",
                              "Show All Windows [rectangle.3.group]", "Hide [eye.slash]", "Quit [xmark.circle]"}));
        // Choosing a window closes the picker and focuses it.
        w.store->windowPicker().prepareWindowPicker(w.app("Editor"), 1);
        find(menu.entries(), "First")->action();
        QVERIFY(!w.store->windowPicker().windowPickerAppID());
        QCOMPARE(w.actions.take(), QStringList({"focus:" + QString::number(w.pid("Editor")) + ":window:"
                                                + QString::number(w.editorFirst)}));
        // A window whose process has ended does nothing.
        w.desktop.killProcess(w.pid("Editor"));
        find(menu.entries(), "Second")->action();
        QCOMPARE(w.actions.take(), QStringList());
    }

    // An application that does not list its windows at once: the menu opens
    // without them, and they go in front of the rest when they arrive, ahead
    // of commands that come later.
    void windowsOfASlowApplicationArrive()
    {
        MenuWorld w;
        w.cacheCommands("Editor", {command(Kind::newWindow, "New Window")});
        w.desktop.setBusyFor(w.pid("Editor"), 400);
        AppMenuModel menu = w.menu(w.app("Editor"));
        QVERIFY(menu.awaitsWindows());
        const QStringList without = describe(menu.entries());
        QCOMPARE(without.first(), "New Window [macwindow.badge.plus]");

        QObject shown;
        QList<AppMenuModel::Replacement> added;
        menu.awaitWindows(&shown, [&](const AppMenuModel::Replacement &replacement) { added << replacement; });
        w.settle();
        QCOMPARE(added.size(), 1);
        QCOMPARE(added.first().start, 0);
        QCOMPARE(added.first().removed, 0);
        const QStringList windows {"Second [checkmark]", "First [macwindow]", "-"};
        QCOMPARE(describe(added.first().inserted), windows);
        QCOMPARE(describe(menu.entries()), windows + without);
        QVERIFY(!menu.awaitsWindows());

        const auto replaced = menu.applyCommands({command(Kind::newDocument, "New")});
        QCOMPARE(replaced->start, 3);
    }

    // A window the user renamed is listed by its name; a minimized window is
    // not ticked.
    void renamedAndMinimizedWindows()
    {
        MenuWorld w;
        w.desktop.updateWindow(w.editorSecond, [](Sim::SimWindow &window) { window.minimized = true; });
        w.clock.advance(20'000); // the listing is read afresh
        QCOMPARE(describe(w.menu(w.app("Editor")).entries()).mid(0, 2),
                 QStringList({"First [checkmark]", "Second [macwindow]"}));
        w.actions.customName = QStringLiteral("My draft");
        QCOMPARE(describe(w.menu(w.app("Editor")).entries()).mid(0, 2),
                 QStringList({"My draft [checkmark]", "My draft [macwindow]"}));
    }

    void finderWithoutFavourites()
    {
        MenuWorld w;
        w.addApp("Finder", 0, [](Sim::SimProcess &process) { process.bundleIdentifier = "com.apple.finder"; });
        w.store->refreshRunningApps();
        const AppItem finder {"com.apple.finder", "Finder", QString("com.apple.finder"), std::nullopt, true, std::nullopt};
        QCOMPARE(describe(w.menu(finder).entries()),
                 QStringList({"Show All Windows [rectangle.3.group]", "Hide [eye.slash]", "-", options}));
    }

    // An app that does not run offers to open it, then its options; an app
    // without a bundle identifier (the product's own buttons) reads the same.
    void notRunning_data()
    {
        QTest::addColumn<AppItem>("app");
        QTest::addColumn<QStringList>("lines");
        const AppItem safari = AppItem::pinnedDefaults().first();
        QTest::newRow("pinned app") << safari
                                    << QStringList({"Open " + safari.name + " [arrow.up.forward.app]", "-", options});
        QTest::newRow("settings") << AppItem::velmoraSettings()
                                  << QStringList({"Open Velmora Settings [arrow.up.forward.app]", "-", options});
        QTest::newRow("setup") << AppItem::velmoraSetup()
                               << QStringList({"Open Velmora Setup [arrow.up.forward.app]", "-", options});
        const AppItem ownWindow{AppItem::ownWindowsID, "Velmora", std::nullopt, std::nullopt, true, std::nullopt};
        QTest::newRow("own window, running") << ownWindow
                                             << QStringList({"Open Velmora [arrow.up.forward.app]", "-", options});
    }
    void notRunning()
    {
        QFETCH(AppItem, app);
        QFETCH(QStringList, lines);
        MenuWorld w;
        QCOMPARE(describe(w.menu(app).entries()), lines);
    }

    // Options pins and unpins; "Show in Finder" reveals the app.
    void optionsPinAndReveal()
    {
        MenuWorld w;
        const AppItem notes = w.app("Notes");
        find(w.menu(notes).entries(), "Pin to taskbar")->action();
        QVERIFY(w.store->isPinned(notes));
        find(w.menu(notes).entries(), "Unpin from taskbar")->action();
        QVERIFY(!w.store->isPinned(notes));
        find(w.menu(notes).entries(), "Show in Finder")->action();
        QCOMPARE(w.actions.take(), QStringList({"reveal:com.example.Notes"}));
    }

    // Rediscovered commands replace the command entries in place only when
    // their kinds or enabled states differ.
    void commandRefresh()
    {
        MenuWorld w;
        w.cacheCommands("Editor", {command(Kind::newWindow, "New Window", false)});
        AppMenuModel menu = w.menu(w.app("Editor"));
        QVERIFY(menu.needsCommandRefresh());
        const QStringList before = describe(menu.entries());

        QVERIFY(!menu.applyCommands({command(Kind::newWindow, "Open New Window", false)}));
        QCOMPARE(describe(menu.entries()), before);

        const std::optional<AppMenuModel::Replacement> replaced
            = menu.applyCommands({command(Kind::newWindow, "New Window"), command(Kind::newDocument, "New")});
        QVERIFY(replaced);
        QCOMPARE(replaced->start, 3);
        QCOMPARE(replaced->removed, 2);
        QCOMPARE(describe(replaced->inserted),
                 QStringList({"New Window [macwindow.badge.plus]", "New [doc.badge.plus]", "-"}));
        QCOMPARE(describe(menu.entries()).mid(3, 4),
                 QStringList({"New Window [macwindow.badge.plus]", "New [doc.badge.plus]", "-", options}));

        // Commands where there were none go in after the windows.
        MenuWorld bare;
        AppMenuModel notes = bare.menu(bare.app("Notes"));
        const auto added = notes.applyCommands({command(Kind::newNote, "New Note")});
        QCOMPARE(added->start, 0);
        QCOMPARE(added->removed, 0);
        QCOMPARE(describe(notes.entries()).first(), "New Note [note.text.badge.plus]");
    }

    // The refresh walks the app's menu bar and reaches the menu while it lives.
    void commandRefreshFromTheMenuBar()
    {
        MenuWorld w;
        const SimMenuItem file = Test::menu("File", {Test::item("New Window")});
        w.desktop.updateProcess(w.pid("Mail"), [&](Sim::SimProcess &process) { process.menuBar = {file}; });
        w.cacheCommands("Mail", {});
        AppMenuModel menu = w.menu(w.app("Mail"));
        QVERIFY(menu.needsCommandRefresh());
        auto openMenu = std::make_unique<QObject>();
        QList<AppMenuModel::Replacement> replacements;
        menu.refreshCommands(openMenu.get(), [&](const AppMenuModel::Replacement &r) { replacements << r; });
        w.settle();
        QCOMPARE(replacements.size(), 1);
        QCOMPARE(describe(replacements.first().inserted), QStringList({"New Window [macwindow.badge.plus]", "-"}));

        // A menu closed before the answer comes is left alone.
        AppMenuModel second = w.menu(w.app("Editor"));
        menu.refreshCommands(openMenu.get(), [&](const AppMenuModel::Replacement &r) { replacements << r; });
        openMenu.reset();
        w.settle();
        QCOMPARE(replacements.size(), 1);
    }

    void barMenu()
    {
        MenuWorld w;
        w.store->flyouts().toggleStartMenu(1);
        const QList<AppMenuEntry> entries = AppMenuModel::barMenu(*w.store, w.actions);
        QCOMPARE(describe(entries), QStringList({"Open Task Manager"}));
        entries.first().action();
        QVERIFY(!w.store->flyouts().isStartMenuPresented());
        QCOMPARE(w.actions.take(), QStringList({"presentTaskManager"}));
    }
};

QTEST_GUILESS_MAIN(TestAppMenuModel)
#include "tst_appmenumodel.moc"
