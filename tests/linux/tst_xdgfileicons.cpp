#include "platform/linux/xdgfileicons.h"
#include "support/testsupport.h"

#include <QTemporaryDir>
#include <QTest>

using Velmora::Linux::XdgFileIcons;

class TestXdgFileIcons : public QObject
{
    Q_OBJECT
private slots:
    void applicationsAreFoundByTheirDesktopEntry()
    {
        QTemporaryDir data;
        QVERIFY(Velmora::Test::writeFile(data, "applications/org.example.Editor.desktop", "[Desktop Entry]\n"));
        QVERIFY(Velmora::Test::writeFile(data, "secret.desktop", "[Desktop Entry]\n"));
        const QByteArray saved = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", data.path().toUtf8());
        XdgFileIcons icons("/opt/velmora/bin/velmora");
        const auto found = icons.applicationPath("org.example.Editor");
        const auto unknown = icons.applicationPath("org.example.Missing");
        const auto escaping = icons.applicationPath("../secret");
        qputenv("XDG_DATA_HOME", saved);
        QCOMPARE(found, std::optional<QString>(data.filePath("applications/org.example.Editor.desktop")));
        QVERIFY(!unknown);
        QVERIFY(!escaping); // an identifier never names a file outside the applications folder
        QCOMPARE(icons.ownBundlePath(), QString("/opt/velmora/bin/velmora"));
    }

    void iconsAreNamedByTypeAndSymbolsMayBeUnknown()
    {
        QTemporaryDir dir;
        QVERIFY(Velmora::Test::writeFile(dir, "notes.txt", "text"));
        XdgFileIcons icons;
        QCOMPARE(icons.iconForFile(dir.path()).name(), QString("folder"));
        QCOMPARE(icons.iconForFile(dir.filePath("notes.txt")).name(), QString("text-plain"));
        QVERIFY(!icons.iconForFile(dir.filePath("never-existed")).isNull());
        // An application's entry shows the application's icon, not an entry file's.
        QVERIFY(Velmora::Test::writeFile(
            dir, "editor.desktop", "[Desktop Entry]\nType=Application\nIcon=accessories-text-editor\n"));
        QVERIFY(Velmora::Test::writeFile(dir, "plain.desktop", "[Desktop Entry]\nType=Application\n"));
        QCOMPARE(icons.iconForFile(dir.filePath("editor.desktop")).name(), QString("accessories-text-editor"));
        QCOMPARE(icons.iconForFile(dir.filePath("plain.desktop")).name(), QString("application-x-desktop"));
        QVERIFY(icons.symbolImage("app"));
        QVERIFY(!icons.symbolImage("no.such.symbol"));
    }
};

QTEST_GUILESS_MAIN(TestXdgFileIcons)
#include "tst_xdgfileicons.moc"
