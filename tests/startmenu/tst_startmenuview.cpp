#include "bar/model/animator.h"
#include "startmenu/favouritebutton.h"
#include "startmenu/pinnedappbutton.h"
#include "startmenu/startapplist.h"
#include "startmenu/startapprow.h"
#include "startmenu/startmenusearchfield.h"
#include "startmenu/startmenusidebar.h"
#include "startmenu/startmenuview.h"
#include "startmenuworld.h"

#include <QApplication>
#include <QLineEdit>
#include <QScrollArea>
#include <QTest>

Q_DECLARE_METATYPE(Velmora::EnglishSpelling::Variant)

using namespace Velmora;
using namespace Velmora::Test;

namespace {

// The Start menu of display 1 as a widget, over a StartMenuWorld.
struct MenuFixture : StartMenuWorld
{
    Animator animator{clock, clock};
    std::unique_ptr<StartMenuView> view;

    explicit MenuFixture(const QStringList &startPins = {},
                         EnglishSpelling::Variant spelling = EnglishSpelling::British)
        : StartMenuWorld({"Archive", "Calendar", "Editor", "Mail", "Notes"}, startPins, spelling)
    {
        animator.setInstant(true);
        view = std::make_unique<StartMenuView>(
            StartMenuEnvironment{*store, displays, folderWorkspace, clock, animator, icons, sections, spelling},
            StartMenuMode::Start, 1);
        view->show();
        settle();
    }

    QStringList listedNames() const
    {
        QStringList names;
        for (const AppSection &section : view->model().sections())
            names << StartMenuWorld::names(section.apps);
        return names;
    }
};

} // namespace

class TestStartMenuView : public QObject
{
    Q_OBJECT
private slots:
    void typingFiltersTheListUntilNoAppsAreFound()
    {
        MenuFixture f;
        f.openMenu();
        QLineEdit *field = f.view->searchField()->field();
        QVERIFY(!f.view->searchField()->clearButton()->isVisible());
        QTest::keyClicks(field, "ma");
        f.settle();
        QCOMPARE(f.store->searchText(), QString("ma"));
        QCOMPARE(f.listedNames(), QStringList{"Mail"});
        QVERIFY(f.view->appList()->rowRect(f.store->installedApps().at(3).id));
        QVERIFY(f.view->searchField()->clearButton()->isVisible());
        QVERIFY(!f.view->showsNoApps());

        QTest::keyClicks(field, "x");
        f.settle();
        QVERIFY(f.view->showsNoApps());
        QVERIFY(!f.view->listArea()->isVisible());
        // "No apps found" is drawn where the list was: its glyph and text
        // are lighter than the menu's dark background.
        const QImage image = f.view->grab().toImage();
        const QRect area = f.view->listArea()->geometry();
        int light = 0;
        for (int y = area.top(); y < area.bottom(); y += 2) {
            for (int x = area.left(); x < area.right(); x += 2)
                light += qGray(image.pixel(x, y)) > 120;
        }
        QVERIFY2(light > 20, qPrintable(QString::number(light)));

        // The clear button empties the field and brings the list back.
        QTest::mouseClick(f.view->searchField()->clearButton(), Qt::LeftButton);
        f.settle();
        QCOMPARE(field->text(), QString());
        QCOMPARE(f.listedNames().size(), 5);
        QVERIFY(f.view->listArea()->isVisible());
    }

    // The switch between the list and "No apps found" fades, unless the
    // person asked for less motion: then it happens at once.
    void reduceMotionSwitchesWithoutAFade_data()
    {
        QTest::addColumn<bool>("reduceMotion");
        QTest::newRow("fades") << false;
        QTest::newRow("reduce motion") << true;
    }
    void reduceMotionSwitchesWithoutAFade()
    {
        QFETCH(bool, reduceMotion);
        MenuFixture f;
        f.animator.setInstant(false);
        f.animator.setReducesMotion(reduceMotion);
        f.openMenu();
        QTest::keyClicks(f.view->searchField()->field(), "zzz");
        f.settle();
        QVERIFY(f.view->showsNoApps());
        if (reduceMotion) {
            QCOMPARE(f.view->listOpacity(), 0.0);
        } else {
            QVERIFY(f.view->listOpacity() > 0);
            f.clock.advance(StartMenuView::switchFadeMs + 20);
            QCOMPARE(f.view->listOpacity(), 0.0);
        }
        QVERIFY(!f.view->listArea()->isVisible());
    }

    void escapeClosesTheMenuAndClearsTheText()
    {
        MenuFixture f;
        f.openMenu();
        QLineEdit *field = f.view->searchField()->field();
        QTest::keyClicks(field, "note");
        f.settle();
        QTest::keyClick(field, Qt::Key_Escape);
        f.settle();
        QVERIFY(!f.store->flyouts().isStartMenuPresented());
        QCOMPARE(f.store->searchText(), QString());
        QCOMPARE(field->text(), QString());
    }

    void fivePinsLayOutAsFourAndOne()
    {
        MenuFixture f({"Archive", "Calendar", "Editor", "Mail", "Notes"});
        const QList<PinnedAppButton *> tiles = f.view->sidebar()->tiles();
        QCOMPARE(tiles.size(), 5);
        for (int i = 1; i < 4; ++i) {
            QCOMPARE(tiles[i]->y(), tiles[0]->y());
            QVERIFY(tiles[i]->x() > tiles[i - 1]->x());
        }
        QCOMPARE(tiles[4]->x(), tiles[0]->x());
        QVERIFY(tiles[4]->y() > tiles[0]->y() + tiles[0]->tileRect().height());
        // The name is the tooltip and the accessible name; none is drawn.
        QCOMPARE(tiles[2]->toolTip(), QString("Editor"));
        QCOMPARE(tiles[2]->accessibleName(), QString("Editor"));
        QVERIFY(!f.view->sidebar()->texts().contains("Right-click an app and choose Pin to Start menu."));
    }

    void aTileDraggedToTheNextColumnSavesTheOrder()
    {
        MenuFixture f({"Archive", "Calendar", "Editor", "Mail", "Notes"});
        f.openMenu();
        PinnedAppButton *archive = f.view->sidebar()->tiles().first();
        const qreal pitch = f.view->model().drag().stride().width();
        const QPoint start = archive->tileRect().center().toPoint();
        QTest::mousePress(archive, Qt::LeftButton, {}, start);
        QMouseEvent move(QEvent::MouseMove, start + QPoint(int(pitch * 0.6), 0),
                         archive->mapToGlobal(start + QPoint(int(pitch * 0.6), 0)), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(archive, &move);
        f.settle();
        QVERIFY(archive->isDragging());
        QTest::mouseRelease(archive, Qt::LeftButton, {}, start + QPoint(int(pitch * 0.6), 0));
        f.settle();
        QCOMPARE(StartMenuWorld::names(f.store->startPinnedApps()),
                 QStringList({"Calendar", "Archive", "Editor", "Mail", "Notes"}));
        // The drop opened nothing: the menu stays.
        QVERIFY(f.store->flyouts().isStartMenuPresented());
        QVERIFY(!archive->isDragging());
    }

    void recentAppsShowOnlyWhenThereAreAny()
    {
        MenuFixture f;
        QVERIFY(!f.view->sidebar()->texts().contains("Recent Apps"));
        QVERIFY(f.view->sidebar()->recentRows().isEmpty());

        f.addApp(QStringLiteral("Mail"));
        f.store->refreshRunningApps();
        f.settle();
        QVERIFY(f.view->sidebar()->texts().contains("Recent Apps"));
        QCOMPARE(f.view->sidebar()->recentRows().size(), 1);
        StartAppRow *row = f.view->sidebar()->recentRows().first();
        QCOMPARE(row->app().name, QString("Mail"));
        QCOMPARE(row->iconSize(), StartAppRow::recentIconSize);
    }

    void favouritesFollowTheSpelling_data()
    {
        QTest::addColumn<EnglishSpelling::Variant>("spelling");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("hint");
        QTest::newRow("British") << EnglishSpelling::British << "Favourites"
                                 << "No folders have been added to Finder favourites.";
        QTest::newRow("American") << EnglishSpelling::American << "Favorites"
                                  << "No folders have been added to Finder favorites.";
    }
    void favouritesFollowTheSpelling()
    {
        QFETCH(EnglishSpelling::Variant, spelling);
        QFETCH(QString, heading);
        QFETCH(QString, hint);
        MenuFixture f({}, spelling);
        const QStringList texts = f.view->sidebar()->texts();
        QCOMPARE(texts,
                 QStringList({"Pinned Apps", "Right-click an app and choose Pin to Start menu.", heading,
                              "From Finder", hint}));
    }

    void aFavouriteClickClosesTheMenuBeforeTheFolderOpens()
    {
        MenuFixture f;
        const QUrl documents = QUrl::fromLocalFile(QStringLiteral("/home/me/Documents"));
        f.folders.setEntries({{documents, QStringLiteral("Documents"), true}});
        QSignalSpy favourites(f.store.get(), &TaskbarStore::finderFavoritesChanged);
        f.openMenu();
        QVERIFY(favourites.wait(5000));
        f.settle();
        QCOMPARE(f.view->sidebar()->favouriteButtons().size(), 1);
        QVERIFY(!f.view->sidebar()->texts().contains("No folders have been added to Finder favourites."));

        bool menuOpenWhenFolderOpened = true;
        f.folderWorkspace.onOpen = [&] { menuOpenWhenFolderOpened = f.store->flyouts().isStartMenuPresented(); };
        QTest::mouseClick(f.view->sidebar()->favouriteButtons().first(), Qt::LeftButton);
        QCOMPARE(f.folderWorkspace.opened, QList<QUrl>{documents});
        QVERIFY(!menuOpenWhenFolderOpened);
    }

    void theHeightFollowsTheDisplay()
    {
        MenuFixture f;
        const qreal before = f.view->model().menuHeight();
        QCOMPARE(f.view->sizeHint().height(), int(before));
        f.desktop.setDisplays({Test::display(1, QRectF(0, 0, 1024, 500))});
        f.settle();
        QVERIFY(f.view->model().menuHeight() < before);
        QCOMPARE(f.view->sizeHint(), QSize(680, int(f.view->model().menuHeight())));
    }
};

QTEST_MAIN(TestStartMenuView)
#include "tst_startmenuview.moc"
