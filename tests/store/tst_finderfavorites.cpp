#include "platform/sim/scriptedfavoritefolders.h"
#include "platform/sim/scriptedfileicons.h"
#include "platform/sim/simplatform.h"
#include "platform/sim/simscenario.h"
#include "platform/sim/virtualclock.h"
#include "store/finderfavoritesmodel.h"
#include "store/finderfavoritesprovider.h"

#include <QSignalSpy>
#include <QTest>

using namespace Velmora;
using Velmora::Sim::ScriptedFavoriteFolders;
using Velmora::Sim::ScriptedFileIcons;

namespace {

FavoriteFolderEntry entry(const QString &path, const QString &label = {}, std::optional<bool> isDirectory = true)
{
    return FavoriteFolderEntry { path.isEmpty() ? QUrl() : QUrl::fromLocalFile(path), label, isDirectory };
}

FinderFavorite favorite(const QString &name, const QString &path)
{
    const QUrl url = QUrl::fromLocalFile(path);
    return FinderFavorite { name, url, url.toString() };
}

// Holds background work until the test runs it, in the order it chooses.
struct ManualRunner
{
    QList<std::function<void()>> pending;
    FinderFavoritesModel::BackgroundRunner runner()
    {
        return [this](std::function<void()> work) { pending.append(std::move(work)); };
    }
    void run(qsizetype index)
    {
        pending[index]();
        QCoreApplication::sendPostedEvents(); // the result comes back as a queued call
    }
};

int fileRequests(const ScriptedFileIcons &workspace, const QString &path)
{
    return int(workspace.requests().count("iconForFile " + path));
}

} // namespace

class TestFinderFavorites : public QObject
{
    Q_OBJECT
private slots:
    void providerReadsTheSidebar_data()
    {
        QTest::addColumn<QList<FavoriteFolderEntry>>("entries");
        QTest::addColumn<QList<FinderFavorite>>("expected");
        QTest::newRow("labels and order kept")
            << QList { entry("/home/u/Music", "Music"), entry("/home/u/Docs", "Papers") }
            << QList { favorite("Music", "/home/u/Music"), favorite("Papers", "/home/u/Docs") };
        QTest::newRow("a file is left out, an unreadable type stays")
            << QList { entry("/home/u/notes.txt", "Notes", false), entry("/mnt/usb", "USB", std::nullopt) }
            << QList { favorite("USB", "/mnt/usb") };
        QTest::newRow("the same folder twice is listed once, at its first place")
            << QList { entry("/home/u/Docs", "First"), entry("/srv", "Srv"), entry("/home/u/./Docs/", "Again") }
            << QList { favorite("First", "/home/u/Docs"), favorite("Srv", "/srv") };
        QTest::newRow("no label: the file manager's name")
            << QList { entry("/home/u/Projects/") } << QList { favorite("Projects", "/home/u/Projects") };
        QTest::newRow("unresolved items skipped") << QList { entry(""),
            FavoriteFolderEntry { QUrl("smb://server/share"), "Share", true }, entry("/tmp", "T") }
                                                  << QList { favorite("T", "/tmp") };
    }
    void providerReadsTheSidebar()
    {
        QFETCH(QList<FavoriteFolderEntry>, entries);
        QFETCH(QList<FinderFavorite>, expected);
        ScriptedFavoriteFolders source;
        source.setEntries(entries);
        QCOMPARE(FinderFavoritesProvider::favorites(source), expected);
        QCOMPARE(expected.value(0).id.startsWith("file:///"), !expected.isEmpty());
    }

    void simulatedDesktopSuppliesItsScenarioFavourites()
    {
        Sim::VirtualClock clock;
        Sim::SimPlatform platform(clock);
        QVERIFY(Sim::SimScenario::load(platform.desktop, Sim::SimScenario::builtIn()));
        const QList<FinderFavorite> favourites = FinderFavoritesProvider::favorites(platform.favoriteFolders);
        QCOMPARE(favourites.size(), 4);
        QCOMPARE(favourites.first(), favorite("Applications", "/Applications"));
        // Listed without a label: named as the file manager names the folder.
        QCOMPARE(favourites.last(), favorite("Downloads", "/Users/demo/Downloads"));
    }

    void unavailableListIsEmpty()
    {
        ScriptedFavoriteFolders source;
        source.setEntries({ entry("/srv") });
        source.setUnavailable(true);
        QVERIFY(FinderFavoritesProvider::favorites(source).isEmpty());
    }

    // Opening the Start menu twice quickly: the first refresh finishes last
    // and must leave no trace, neither in the list nor in the icons.
    void onlyTheLatestRefreshApplies()
    {
        ScriptedFavoriteFolders source;
        ScriptedFileIcons workspace;
        ManualRunner background;
        FinderFavoritesModel model(source, workspace, background.runner());
        QSignalSpy changed(&model, &FinderFavoritesModel::favoritesChanged);

        source.setEntries({ entry("/old", "Old") });
        model.refresh();
        model.refresh();
        QCOMPARE(model.refreshID(), 2u);
        background.pending[0](); // the first read sees the old sidebar ...
        source.setEntries({ entry("/new", "New") });
        background.run(1); // ... the second the new one, and finishes first
        QCOMPARE(model.favorites(), QList { favorite("New", "/new") });
        QCoreApplication::sendPostedEvents(); // the first one's result arrives late
        QCOMPARE(model.favorites(), QList { favorite("New", "/new") });
        QCOMPARE(changed.count(), 1);

        workspace.clearRequests();
        model.favorites().first().icon(workspace); // swapped in by the applied refresh
        QCOMPARE(fileRequests(workspace, "/new"), 0);
        favorite("Old", "/old").icon(workspace); // the stale icons were dropped
        QCOMPARE(fileRequests(workspace, "/old"), 1);
    }

    void unchangedSidebarIsNotRepublishedButIconsAreRenewed()
    {
        ScriptedFavoriteFolders source;
        ScriptedFileIcons workspace;
        ManualRunner background;
        source.setEntries({ entry("/srv", "Srv") });
        FinderFavoritesModel model(source, workspace, background.runner());
        model.load();
        QSignalSpy changed(&model, &FinderFavoritesModel::favoritesChanged);
        model.refresh();
        background.run(0);
        QCOMPARE(changed.count(), 0);
        QCOMPARE(fileRequests(workspace, "/srv"), 1); // loaded in the background ...
        model.favorites().first().icon(workspace);
        QCOMPARE(fileRequests(workspace, "/srv"), 1); // ... and served from the cache

        // A cache that lost the icon (as under memory pressure) reloads it on display.
        FinderFavorite::replaceCachedIcons({});
        QCOMPARE(model.favorites().first().icon(workspace).name(), QString("file:/srv"));
        QCOMPARE(fileRequests(workspace, "/srv"), 2);
    }

    void refreshRunsOnAWorkerThread()
    {
        ScriptedFavoriteFolders source;
        ScriptedFileIcons workspace;
        source.setEntries({ entry("/srv", "Srv"), entry("/opt", "Opt") });
        FinderFavoritesModel model(source, workspace);
        QSignalSpy changed(&model, &FinderFavoritesModel::favoritesChanged);
        model.refresh();
        QTRY_COMPARE(changed.count(), 1);
        QCOMPARE(model.favorites().size(), 2);

        source.setUnavailable(true); // a list that cannot be read publishes the empty list
        model.refresh();
        QTRY_COMPARE(changed.count(), 2);
        QVERIFY(model.favorites().isEmpty());
    }

    void aModelThatIsGoneTakesNoResult()
    {
        ScriptedFavoriteFolders source;
        ScriptedFileIcons workspace;
        source.setEntries({ entry("/srv") });
        auto *model = new FinderFavoritesModel(source, workspace);
        model->refresh();
        delete model; // waits for the read; its queued result finds nothing
        QCoreApplication::sendPostedEvents();
        QCOMPARE(source.readCount(), 1);
    }
};

QTEST_MAIN(TestFinderFavorites)
#include "tst_finderfavorites.moc"
