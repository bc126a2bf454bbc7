#include "platform/desktopservices.h"
#include "platform/linux/machineworkspace.h"
#include "support/testsupport.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Velmora;
using Velmora::Linux::MachineWorkspace;

namespace {

// Stands in for the desktop's URL handler and file manager: records what it
// is asked and answers as scripted.
class RecordingDesktopServices final : public DesktopServices
{
public:
    bool openUrl(const QUrl &url) override
    {
        opened += url;
        return opensUrls;
    }
    void showItems(const QList<QUrl> &files, QObject *context, ShowCompletion completion) override
    {
        shown += files;
        const bool answer = showsItems;
        QMetaObject::invokeMethod(context, [completion, answer] { completion(answer); }, Qt::QueuedConnection);
    }

    QList<QUrl> opened;
    QList<QUrl> shown;
    bool opensUrls = true;
    bool showsItems = true;
};

} // namespace

class TestMachineWorkspace : public QObject
{
    Q_OBJECT

    RecordingDesktopServices m_services;

private slots:
    void init() { m_services = {}; }

    void addressesGoToTheDesktopsHandler()
    {
        MachineWorkspace workspace(m_services);
        const QUrl search(QStringLiteral("https://www.example.org/search?q=Sync%2B%20Agent"));
        QVERIFY(workspace.openUrl(search));
        QCOMPARE(m_services.opened, QList<QUrl> { search });
        m_services.opensUrls = false;
        QVERIFY(!workspace.openUrl(search));
    }

    void revealing_data()
    {
        QTest::addColumn<bool>("fileManagerShows");
        QTest::addColumn<bool>("folderOpens");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<int>("foldersOpened");
        QTest::newRow("the file manager selects it") << true << true << true << 0;
        QTest::newRow("no file manager: its folder opens") << false << true << true << 1;
        QTest::newRow("nothing can show it") << false << false << false << 1;
    }
    void revealing()
    {
        QFETCH(bool, fileManagerShows);
        QFETCH(bool, folderOpens);
        QFETCH(bool, shown);
        QFETCH(int, foldersOpened);
        m_services.showsItems = fileManagerShows;
        m_services.opensUrls = folderOpens;
        MachineWorkspace workspace(m_services);
        QObject caller;
        std::optional<bool> answer;
        workspace.revealFiles(
            { QStringLiteral("/usr/lib/tool dir/helper") }, &caller, [&](bool revealed) { answer = revealed; });
        QTRY_VERIFY(answer);
        QCOMPARE(*answer, shown);
        QCOMPARE(m_services.shown, QList<QUrl> { QUrl::fromLocalFile(QStringLiteral("/usr/lib/tool dir/helper")) });
        QCOMPARE(m_services.opened.size(), foldersOpened);
        if (foldersOpened)
            QCOMPARE(m_services.opened.first(), QUrl::fromLocalFile(QStringLiteral("/usr/lib/tool dir")));
    }

    void runningApplicationsAreProcessesOfInstalledPrograms()
    {
        QTemporaryDir root;
        const QString bin = root.filePath(QStringLiteral("bin"));
        for (const char *program : { "editor", "mail", "viewer", "daemon" })
            QVERIFY(Test::writeFile(root, QStringLiteral("bin/") + program, "#!"));
        const auto entry = [&](const QString &file, const QByteArray &keys) {
            return Test::writeFile(root, QStringLiteral("applications/") + file, "[Desktop Entry]\n" + keys);
        };
        QVERIFY(entry("org.example.Editor.desktop",
            "Type=Application\nName=Editor\nExec=\"" + bin.toUtf8() + "/editor\" %F\nIcon=editor\n"));
        QVERIFY(entry("mail.desktop", "Type=Application\nName=Mail\nTryExec=" + bin.toUtf8() + "/mail\nExec=mail\n"));
        // The same program started by two applications is neither's.
        QVERIFY(entry("viewer-a.desktop", "Type=Application\nName=A\nExec=" + bin.toUtf8() + "/viewer --a\n"));
        QVERIFY(entry("viewer-b.desktop", "Type=Application\nName=B\nExec=" + bin.toUtf8() + "/viewer --b\n"));
        // Shells run every kind of program.
        QVERIFY(entry("shell.desktop", "Type=Application\nName=Shell\nExec=sh -c " + bin.toUtf8() + "/daemon\n"));
        QVERIFY(entry("gone.desktop", "Type=Application\nName=Gone\nHidden=true\nExec=" + bin.toUtf8() + "/daemon\n"));

        const auto process = [&](int pid, const QString &program) {
            QVERIFY(QDir(root.path()).mkpath(QStringLiteral("proc/%1").arg(pid)));
            QVERIFY(QFile::link(program, root.filePath(QStringLiteral("proc/%1/exe").arg(pid))));
        };
        process(40, bin + QStringLiteral("/mail"));
        process(12, bin + QStringLiteral("/editor"));
        process(13, bin + QStringLiteral("/viewer"));
        process(14, bin + QStringLiteral("/daemon"));
        process(15, QStringLiteral("/bin/sh"));
        // Another user's process: no link to read.
        QVERIFY(QDir(root.path()).mkpath(QStringLiteral("proc/16")));

        MachineWorkspace workspace(m_services, root.filePath(QStringLiteral("proc")),
            { root.filePath(QStringLiteral("applications")) });
        const QList<RunningApplication> running = workspace.runningApplications();
        QCOMPARE(running.size(), 2);
        QCOMPARE(running[0].processIdentifier, 12);
        QCOMPARE(running[0].bundleIdentifier, QStringLiteral("org.example.Editor"));
        QCOMPARE(running[0].localizedName, QStringLiteral("Editor"));
        QCOMPARE(running[0].bundlePath, root.filePath(QStringLiteral("applications/org.example.Editor.desktop")));
        QCOMPARE(running[0].executablePath, bin + QStringLiteral("/editor"));
        QCOMPARE(running[1].processIdentifier, 40);
        QCOMPARE(running[1].bundleIdentifier, QStringLiteral("mail"));

        QCOMPARE(workspace.application(40), std::optional(running[1]));
        for (int pid : { 13, 14, 15, 16, 99 })
            QVERIFY2(!workspace.application(pid), qPrintable(QString::number(pid)));
    }
};

QTEST_GUILESS_MAIN(TestMachineWorkspace)
#include "tst_machineworkspace.moc"
