#include "platform/linux/gtkbookmarkfolders.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using Velmora::FavoriteFolderEntry;
using Velmora::Linux::GtkBookmarkFolders;

class TestGtkBookmarkFolders : public QObject
{
    Q_OBJECT
private slots:
    void readsLocalBookmarksWithTheirLabels()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("My Files"));
        QVERIFY(Velmora::Test::writeFile(dir, "plain.txt", "x"));
        QVERIFY(QFile::link(dir.filePath("loop"), dir.filePath("loop")));
        const QString root = QUrl::fromLocalFile(dir.path()).toString(QUrl::FullyEncoded);
        const QByteArray bookmarks = (root + "/My%20Files Work stuff\n" + "\n" + "sftp://server/home/u Server\n"
            + "file://otherhost/share Share\n" + "file://localhost" + dir.path() + "/plain.txt\n" + root
            + "/gone Gone\n" + root + "/loop Loop\n" + root + "/My%20Files%00/x Cut\n")
                                         .toUtf8();
        QVERIFY(Velmora::Test::writeFile(dir, "gtk-3.0/bookmarks", bookmarks));
        GtkBookmarkFolders folders(dir.filePath("gtk-3.0/bookmarks"));
        const auto entries = folders.entries();
        QVERIFY(entries);
        QCOMPARE(entries->size(), 3);
        QCOMPARE(entries->at(0),
            (FavoriteFolderEntry { QUrl::fromLocalFile(dir.filePath("My Files")), "Work stuff", true }));
        QCOMPARE(entries->at(1), (FavoriteFolderEntry { QUrl::fromLocalFile(dir.filePath("plain.txt")), {}, false }));
        // "gone" is not there (deleted, or on an unplugged disk), so it does not resolve and is left
        // out; "loop" is there but its type cannot be read, so it stays.
        QCOMPARE(
            entries->at(2), (FavoriteFolderEntry { QUrl::fromLocalFile(dir.filePath("loop")), "Loop", std::nullopt }));
        QCOMPARE(folders.displayName(dir.filePath("My Files/")), QString("My Files"));
    }

    void missingFileIsAnEmptyList()
    {
        QTemporaryDir dir;
        const auto entries = GtkBookmarkFolders(dir.filePath("gtk-3.0/bookmarks")).entries();
        QVERIFY(entries && entries->isEmpty());
    }

    void defaultPathFollowsXdgConfigHome()
    {
        QTemporaryDir dir;
        const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
        const QString path = GtkBookmarkFolders::defaultBookmarksPath();
        qputenv("XDG_CONFIG_HOME", saved);
        QCOMPARE(path, dir.filePath("gtk-3.0/bookmarks"));
    }
};

QTEST_GUILESS_MAIN(TestGtkBookmarkFolders)
#include "tst_gtkbookmarkfolders.moc"
