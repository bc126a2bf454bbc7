#include "startmenuworld.h"

#include <QTest>

using namespace Velmora;
using namespace Velmora::Test;

class TestStartMenuViewModel : public QObject
{
    Q_OBJECT
private slots:
    void searchFiltersTheSectionsAndClosingForgetsTheText()
    {
        StartMenuWorld w;
        w.openMenu();
        QVERIFY(w.menu->isPresented());
        QVERIFY(!w.menu->showsClearButton());
        QCOMPARE(w.menu->sections().size(), 5);

        w.menu->setSearchText(QStringLiteral("  "));
        // Spaces alone list everything, yet the clear button shows.
        QVERIFY(w.menu->showsClearButton());
        QCOMPARE(w.menu->sections().size(), 5);
        w.menu->setSearchText(QStringLiteral("a"));
        QCOMPARE(StartMenuWorld::names(w.menu->sections().first().apps), QStringList{"Archive"});
        QCOMPARE(w.menu->sections().size(), 3); // Archive, Calendar, Mail
        w.menu->setSearchText(QStringLiteral("zzz"));
        QVERIFY(w.menu->showsNoApps());

        QSignalSpy searchChanged(w.store.get(), &TaskbarStore::searchTextChanged);
        w.menu->escape();
        QVERIFY(!w.menu->isPresented());
        QCOMPARE(w.store->searchText(), QString());
        QCOMPARE(searchChanged.size(), 1);
        QCOMPARE(w.menu->sections().size(), 5);

        // Closing with an empty text announces nothing.
        w.openMenu();
        w.store->flyouts().dismissFlyouts();
        QCOMPARE(searchChanged.size(), 1);
    }

    void everyDisplaysMenuSharesOneGrouping()
    {
        StartMenuWorld w;
        StartMenuViewModel second({*w.store, w.displays, w.folderWorkspace, w.clock, w.sections}, StartMenuMode::Start,
                                  2);
        w.menu->sections();
        second.sections();
        QCOMPARE(w.sections.groupings(), 1);
        w.menu->setSearchText(QStringLiteral("e"));
        w.menu->sections();
        second.sections();
        QCOMPARE(w.sections.groupings(), 2);
        // A keystroke that leaves the same results regroups nothing.
        w.menu->setSearchText(QStringLiteral("e "));
        w.menu->sections();
        QCOMPARE(w.sections.groupings(), 2);
    }

    void pinEntriesLeaveTheMenuOpenWhileOpenAndShowInFinderCloseIt()
    {
        StartMenuWorld w;
        const AppItem mail = w.store->installedApps().at(3);
        QCOMPARE(mail.name, QString("Mail"));
        w.openMenu();
        w.menu->perform(mail, StartAppMenu::Command::PinToStart);
        w.menu->perform(mail, StartAppMenu::Command::PinToTaskbar);
        QVERIFY(w.menu->isPresented());
        QCOMPARE(StartMenuWorld::names(w.menu->pinnedApps()), QStringList{"Mail"});
        QCOMPARE(w.menu->menuEntries(mail).at(2).title, QString("Unpin from Start menu"));
        QCOMPARE(w.menu->menuEntries(mail).at(3).title, QString("Unpin from taskbar"));

        w.menu->perform(mail, StartAppMenu::Command::ShowInFinder);
        QVERIFY(!w.menu->isPresented());
        w.openMenu();
        w.menu->perform(mail, StartAppMenu::Command::Open);
        QVERIFY(!w.menu->isPresented());
    }

    void aFavouriteClickClosesTheFlyoutsBeforeTheFolderOpens()
    {
        StartMenuWorld w;
        w.openMenu();
        bool openWhileFolderOpened = true;
        w.folderWorkspace.onOpen = [&] { openWhileFolderOpened = w.store->flyouts().isStartMenuPresented(); };
        const QUrl folder = QUrl::fromLocalFile(QStringLiteral("/home/me/Documents"));
        w.menu->openFavourite({QStringLiteral("Documents"), folder, folder.toString()});
        QCOMPARE(w.folderWorkspace.opened, QList<QUrl>{folder});
        QVERIFY(!openWhileFolderOpened);
    }

    void recentAppsShowEachIdOnce()
    {
        StartMenuWorld w;
        // A second store reads the list, as a hand-edited settings file holds it.
        w.defaults.setValue(QStringLiteral("RecentApplicationBundleIdentifiers"),
                            QStringList{"com.example.Mail", "com.example.Notes", "com.example.Mail"});
        auto store = w.make(true);
        QSignalSpy installed(store.get(), &TaskbarStore::installedAppsChanged);
        QVERIFY(installed.wait(5000));
        StartMenuViewModel menu({*store, w.displays, w.folderWorkspace, w.clock, w.sections}, StartMenuMode::Start, 1);
        QCOMPARE(StartMenuWorld::names(menu.recentApps()), QStringList({"Mail", "Notes"}));
    }

    void aDragClosedMidwayCommitsNothingAndTheNextPressCanDrag()
    {
        StartMenuWorld w({"Archive", "Calendar", "Editor", "Mail", "Notes"},
                         {"Archive", "Calendar", "Editor", "Mail", "Notes"});
        w.openMenu();
        w.menu->setPinnedGridWidth(306);
        w.menu->setPinnedCellHeight(60);
        const QList<AppItem> pins = w.store->startPinnedApps();
        QSignalSpy saved(w.store.get(), &TaskbarStore::startPinnedAppsChanged);

        w.menu->pressTile(pins[0]);
        w.menu->dragTile(pins[0], {90, 0});
        QCOMPARE(StartMenuWorld::names(w.menu->pinnedApps()).first(), QString("Calendar"));
        w.store->flyouts().dismissFlyouts();
        QVERIFY(!w.menu->drag().session());
        w.menu->releaseTile(pins[0], {90, 0});
        QCOMPARE(saved.size(), 0);
        QCOMPARE(w.menu->pinnedApps(), pins);

        // The same with a lost grab: the next press ends the old drag first.
        w.openMenu();
        w.menu->pressTile(pins[0]);
        w.menu->dragTile(pins[0], {90, 0});
        w.menu->pressTile(pins[3]);
        w.menu->dragTile(pins[3], {-90, 0});
        w.menu->releaseTile(pins[3], {-90, 0});
        QCOMPARE(StartMenuWorld::names(w.store->startPinnedApps()),
                 QStringList({"Archive", "Calendar", "Mail", "Editor", "Notes"}));
        QCOMPARE(w.defaults.stringListValue(QStringLiteral("StartPinnedApplicationBundleIdentifiers"))->at(2),
                 QString("com.example.Mail"));
        QVERIFY(w.menu->isPresented());

        // A click on a tile opens its app, which closes the menu.
        w.menu->pressTile(pins[1]);
        w.menu->releaseTile(pins[1], {1, 1});
        QVERIFY(!w.menu->isPresented());
    }
};

QTEST_GUILESS_MAIN(TestStartMenuViewModel)
#include "tst_startmenuviewmodel.moc"
