#include "platform/linux/xdgautostartentry.h"

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace Velmora;
using Linux::XdgAutostartEntry;
using Status = LoginItemService::Status;

namespace {

QString readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The Exec value of an entry as a desktop hands it to the command line:
// the desktop entry string escapes undone, a doubled percent sign made single.
QString commandLineOf(const QString &entryText)
{
    const QRegularExpression exec(QStringLiteral("^Exec=(.*)$"), QRegularExpression::MultilineOption);
    const QString value = exec.match(entryText).captured(1);
    QString line;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == u'\\' && i + 1 < value.size()) {
            const QChar next = value[++i];
            line += next == u'n' ? u'\n' : next == u't' ? u'\t' : next == u'r' ? u'\r' : next == u's' ? u' ' : next;
        } else if (value[i] == u'%' && i + 1 < value.size() && value[i + 1] == u'%') {
            line += value[i++];
        } else {
            line += value[i];
        }
    }
    return line;
}

// A program that records the arguments it was started with, one a line.
QString writeRecorder(const QString &path, const QString &record)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write(QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$0\" \"$@\" > '%1'\n").arg(record).toUtf8());
    file.close();
    file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
    return path;
}

} // namespace

// The login item is a desktop entry in the autostart folder whose Exec line
// starts this very executable, whatever its path holds.
class TestXdgAutostartEntry : public QObject
{
    Q_OBJECT
private slots:
    void findsTheAutostartFolder_data()
    {
        QTest::addColumn<QString>("configHome");
        QTest::addColumn<QString>("expected");
        QTest::newRow("set") << "/tmp/cfg" << "/tmp/cfg/autostart";
        QTest::newRow("trailing slash") << "/tmp/cfg/" << "/tmp/cfg/autostart";
        QTest::newRow("unset") << "" << "/home/ann/.config/autostart";
        // A relative value is invalid and ignored.
        QTest::newRow("relative") << "cfg" << "/home/ann/.config/autostart";
    }
    void findsTheAutostartFolder()
    {
        QFETCH(QString, configHome);
        QFETCH(QString, expected);
        QCOMPARE(XdgAutostartEntry::autostartFolder(configHome, "/home/ann"), expected);
    }

    void quotesTheCommand_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("exec");
        QTest::newRow("plain") << "/opt/velmora/bin/velmora" << "/opt/velmora/bin/velmora";
        QTest::newRow("space") << "/opt/my apps/velmora" << "\"/opt/my apps/velmora\"";
        // Escaped for the quoting, and that backslash once more for the string.
        QTest::newRow("double quote") << "/a\"b" << "\"/a\\\\\"b\"";
        QTest::newRow("single quote") << "/it's" << "\"/it's\"";
        QTest::newRow("dollar and backtick") << "/$HOME/`x`" << "\"/\\\\$HOME/\\\\`x\\\\`\"";
        QTest::newRow("backslash") << "/a\\b" << "\"/a\\\\\\\\b\"";
        QTest::newRow("percent") << "/100%" << "/100%%";
        QTest::newRow("newline") << "/a\nb" << "\"/a\\nb\"";
        QTest::newRow("empty") << "" << "\"\"";
    }
    void quotesTheCommand()
    {
        QFETCH(QString, argument);
        QFETCH(QString, exec);
        QCOMPARE(XdgAutostartEntry::execValue({argument}), exec);
    }

    void writesAndRemovesTheEntry()
    {
        QTemporaryDir config;
        QVERIFY(config.isValid());
        const QString folder = XdgAutostartEntry::autostartFolder(config.path(), "/nonexistent");
        XdgAutostartEntry entry(folder, "org.velmora.Velmora.desktop", "Velmora", "/opt/Velmora/velmora");
        QCOMPARE(entry.status(), Status::NotRegistered);
        // Removing an entry that is not there succeeds.
        QCOMPARE(entry.unregisterItem(), std::nullopt);

        // The folder is made when missing.
        QCOMPARE(entry.registerItem(), std::nullopt);
        QCOMPARE(entry.entryPath(), folder + "/org.velmora.Velmora.desktop");
        const QString text = readFile(entry.entryPath());
        QVERIFY(text.startsWith("[Desktop Entry]\n"));
        QVERIFY(text.contains("\nType=Application\n"));
        QVERIFY(text.contains("\nName=Velmora\n"));
        QVERIFY(text.contains("\nExec=/opt/Velmora/velmora\n"));
        QCOMPARE(entry.status(), Status::Enabled);
        // Registering again keeps one entry.
        QCOMPARE(entry.registerItem(), std::nullopt);
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList {"org.velmora.Velmora.desktop"});

        QCOMPARE(entry.unregisterItem(), std::nullopt);
        QVERIFY(!QFile::exists(entry.entryPath()));
        QCOMPARE(entry.status(), Status::NotRegistered);
    }

    void countsOnlyAnEntryThatStartsThisExecutable_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Status>("status");
        QTest::newRow("ours") << "[Desktop Entry]\nExec=/opt/v/velmora\n" << Status::Enabled;
        QTest::newRow("another copy") << "[Desktop Entry]\nExec=/old/place/velmora\n" << Status::NotRegistered;
        QTest::newRow("hidden by the desktop") << "[Desktop Entry]\nExec=/opt/v/velmora\nHidden=true\n"
                                               << Status::NotRegistered;
        QTest::newRow("switched off") << "[Desktop Entry]\nExec=/opt/v/velmora\nX-GNOME-Autostart-enabled=false\n"
                                      << Status::NotRegistered;
        QTest::newRow("other group") << "[Desktop Entry]\nType=Application\n[Desktop Action x]\nExec=/opt/v/velmora\n"
                                     << Status::NotRegistered;
    }
    void countsOnlyAnEntryThatStartsThisExecutable()
    {
        QFETCH(QString, text);
        QFETCH(Status, status);
        QTemporaryDir folder;
        QFile file(folder.filePath("v.desktop"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
        file.close();
        QCOMPARE(XdgAutostartEntry(folder.path(), "v.desktop", "Velmora", "/opt/v/velmora").status(), status);
    }

    void reportsAFailedWrite()
    {
        QTemporaryDir config;
        // A file where the folder should be.
        QFile blocker(config.filePath("autostart"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        XdgAutostartEntry entry(config.filePath("autostart"), "v.desktop", "Velmora", "/opt/v/velmora");
        const std::optional<QString> error = entry.registerItem();
        QVERIFY(error && !error->isEmpty());
        QCOMPARE(entry.status(), Status::NotRegistered);

        if (::geteuid() == 0)
            QSKIP("permissions do not stop root");
        QDir(config.path()).mkdir("locked");
        QFile::setPermissions(config.filePath("locked"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        XdgAutostartEntry locked(config.filePath("locked"), "v.desktop", "Velmora", "/opt/v/velmora");
        const std::optional<QString> lockedError = locked.registerItem();
        QVERIFY(lockedError && lockedError->contains("v.desktop"));
        QFile::setPermissions(config.filePath("locked"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }

    // Started from the entry the way a desktop does it: the awkward path
    // arrives as one argument, unchanged.
    void startsAnAwkwardPathFromTheEntry_data()
    {
        QTest::addColumn<QString>("folderName");
        QTest::addColumn<bool>("desktopLauncherToo");
        QTest::newRow("space") << "My Apps" << true;
        QTest::newRow("quotes and shell characters") << "it's \"new\" $HOME `x` \\ & (1);*" << true;
        // GLib's loader looks for the program before it turns "%%" back into
        // "%", so it refuses an entry that is right by the rules.
        QTest::newRow("percent sign") << "100% sure" << false;
    }
    void startsAnAwkwardPathFromTheEntry()
    {
        QFETCH(QString, folderName);
        QFETCH(bool, desktopLauncherToo);
        QTemporaryDir root;
        QVERIFY(QDir(root.path()).mkdir(folderName));
        const QString record = root.filePath("record");
        const QString program = writeRecorder(root.filePath(folderName + "/velmora"), record);
        QVERIFY(!program.isEmpty());
        XdgAutostartEntry entry(root.filePath("autostart"), "v.desktop", "Velmora", program);
        QCOMPARE(entry.registerItem(), std::nullopt);
        QCOMPARE(entry.status(), Status::Enabled);

        // The quoting inside the value follows the shell's double quotes.
        QProcess shell;
        shell.start("/bin/sh", {"-c", commandLineOf(readFile(entry.entryPath()))});
        QVERIFY(shell.waitForFinished(10000));
        QCOMPARE(readFile(record), program + "\n");

        // And a desktop's own launcher, where there is one.
        const QString gio = QStandardPaths::findExecutable("gio");
        if (gio.isEmpty() || !desktopLauncherToo)
            return;
        QFile::remove(record);
        QProcess launcher;
        launcher.start(gio, {"launch", entry.entryPath()});
        QVERIFY(launcher.waitForFinished(10000));
        QTRY_COMPARE_WITH_TIMEOUT(readFile(record), program + "\n", 10000);
    }
};

QTEST_GUILESS_MAIN(TestXdgAutostartEntry)
#include "tst_xdgautostartentry.moc"
