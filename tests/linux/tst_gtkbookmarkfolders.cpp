#include "platform/linux/gtkbookmarkfolders.h"
#include "support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
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
        QTest::ignoreMessage(QtInfoMsg, QRegularExpression("Leaving out the bookmark .*/loop as it cannot be checked"));
        const auto entries = folders.entries();
        QVERIFY(entries);
        QCOMPARE(entries->size(), 2);
        QCOMPARE(entries->at(0),
            (FavoriteFolderEntry { QUrl::fromLocalFile(dir.filePath("My Files")), "Work stuff", true }));
        QCOMPARE(entries->at(1), (FavoriteFolderEntry { QUrl::fromLocalFile(dir.filePath("plain.txt")), {}, false }));
        // "gone" is not there (deleted, or on an unplugged disk), so it does not resolve and is left
        // out; "loop" cannot be confirmed to be anything, so it is left out too, with a word in the log.
        QCOMPARE(folders.displayName(dir.filePath("My Files/")), QString("My Files"));
        QCOMPARE(folders.displayName(":x"), QString(":x"));
    }

    // Paths that Qt's URL and file classes would misread: each bookmark
    // lists the folder it names, or nothing.
    void oddPathsNameTheirFolderOrNothing_data()
    {
        QTest::addColumn<QString>("bookmark"); // "DIR" stands for the test's folder, without its leading slash
        QTest::addColumn<QString>("listed"); // relative to the test's folder; "/" for the root, empty for none
        QTest::newRow("four slashes") << "file:////DIR/sub" << "sub";
        QTest::newRow("four slashes and nothing else") << "file:////" << "/";
        QTest::newRow("escaped slashes") << "file:///%2F%2FDIR/sub" << "sub";
        QTest::newRow("dots and a trailing slash") << "file:///DIR/./sub/../sub/" << "sub";
        QTest::newRow("above the root") << "file:///../../DIR/sub" << "sub";
        QTest::newRow("a resource path") << "file::sub" << "";
        QTest::newRow("a relative path") << "file:sub" << "";
        QTest::newRow("a name longer than the system allows") << "file:///DIR/" + QString(300, 'n') << "";
    }
    void oddPathsNameTheirFolderOrNothing()
    {
        QFETCH(QString, bookmark);
        QFETCH(QString, listed);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("sub"));
        // What the resource path would be taken for ("./" keeps Qt from reading ":sub" as a resource).
        QVERIFY(QDir(dir.path()).mkpath("./:sub") && QFileInfo::exists(dir.path() + "/./:sub"));
        const QString savedWorkingFolder = QDir::currentPath();
        QDir::setCurrent(dir.path());
        const QString line = QString(bookmark).replace("DIR", dir.path().mid(1)) + "\n";
        QVERIFY(Velmora::Test::writeFile(dir, "bookmarks", line.toUtf8()));
        if (QByteArrayView(QTest::currentDataTag()).contains("longer"))
            QTest::ignoreMessage(QtInfoMsg, QRegularExpression("Leaving out the bookmark .* cannot be checked"));
        const auto entries = GtkBookmarkFolders(dir.filePath("bookmarks")).entries();
        QDir::setCurrent(savedWorkingFolder);
        QVERIFY(entries);
        if (listed.isEmpty()) {
            QVERIFY(entries->isEmpty());
            return;
        }
        QCOMPARE(entries->size(), 1);
        const QUrl expected = QUrl::fromLocalFile(listed == "/" ? listed : dir.filePath(listed));
        QCOMPARE(entries->first().url, expected);
        QVERIFY(entries->first().url.host().isEmpty());
        QCOMPARE(entries->first().isDirectory, std::optional<bool>(true));
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
