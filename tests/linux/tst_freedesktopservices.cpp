#include "platform/linux/freedesktopservices.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using Velmora::Linux::FreedesktopServices;

namespace {

// A file manager on the bus that only writes down what it was asked to show.
class RecordingFileManager : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")
public:
    QList<QStringList> shown;
    QStringList startupIds;

public slots:
    void ShowItems(const QStringList &uris, const QString &startupId)
    {
        shown += uris;
        startupIds += startupId;
    }
};

} // namespace

class TestFreedesktopServices : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QProcess m_daemon;
    QString m_address;

    std::optional<bool> show(FreedesktopServices &services, const QList<QUrl> &files)
    {
        QObject caller;
        std::optional<bool> answer;
        services.showItems(files, &caller, [&](bool shown) { answer = shown; });
        if (!QTest::qWaitFor([&] { return answer.has_value(); }, 5000))
            return std::nullopt;
        return answer;
    }

private slots:
    // A bus of the test's own, which starts no service by itself: nothing
    // installed on this machine can answer in place of the stand-in.
    void initTestCase()
    {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty())
            QSKIP("needs dbus-daemon");
        QFile config(m_dir.filePath(QStringLiteral("bus.conf")));
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
                     " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                     "<busconfig><type>session</type><listen>unix:dir="
            + m_dir.path().toUtf8()
            + "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
              "<allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/><allow own=\"*\"/>"
              "</policy></busconfig>");
        config.close();
        m_daemon.start(daemon, { QStringLiteral("--config-file=") + config.fileName(), QStringLiteral("--nofork"),
                                   QStringLiteral("--print-address=1") });
        QVERIFY(m_daemon.waitForStarted());
        QVERIFY(QTest::qWaitFor([&] { return m_daemon.canReadLine(); }, 5000));
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
        QVERIFY(!m_address.isEmpty());
    }
    void cleanupTestCase()
    {
        m_daemon.kill();
        m_daemon.waitForFinished();
    }

    void theFileManagerIsAskedToSelectTheFiles()
    {
        QDBusConnection serving = QDBusConnection::connectToBus(m_address, QStringLiteral("file-manager"));
        QVERIFY(serving.isConnected());
        RecordingFileManager fileManager;
        QVERIFY(serving.registerObject(FreedesktopServices::fileManagerPath, &fileManager, QDBusConnection::ExportAllSlots));
        QVERIFY(serving.registerService(FreedesktopServices::fileManagerService));

        // The bus is reached when files are first shown, and only then:
        // making the services connects to nothing.
        int connections = 0;
        FreedesktopServices services([this, &connections] {
            ++connections;
            return QDBusConnection::connectToBus(m_address, QStringLiteral("asking"));
        });
        QCOMPARE(connections, 0);
        const QUrl helper = QUrl::fromLocalFile(QStringLiteral("/usr/lib/tool dir/helper"));
        QCOMPARE(show(services, { helper }), std::optional(true));
        QCOMPARE(connections, 1);
        QCOMPARE(fileManager.shown, QList<QStringList> { { QStringLiteral("file:///usr/lib/tool%20dir/helper") } });
        QCOMPARE(fileManager.startupIds, QStringList { QString() });

        // Nobody on the bus answers for file managers any more.
        QVERIFY(serving.unregisterService(FreedesktopServices::fileManagerService));
        QCOMPARE(show(services, { helper }), std::optional(false));
        QCOMPARE(fileManager.shown.size(), 1);
        QCOMPARE(connections, 1);
        QDBusConnection::disconnectFromBus(QStringLiteral("file-manager"));
        QDBusConnection::disconnectFromBus(QStringLiteral("asking"));
    }

    void withoutABusNothingIsShown()
    {
        FreedesktopServices services([this] {
            return QDBusConnection::connectToBus(QStringLiteral("unix:path=") + m_dir.filePath("none"), QStringLiteral("none"));
        });
        QCOMPARE(show(services, { QUrl::fromLocalFile(QStringLiteral("/usr/bin/env")) }), std::optional(false));
        QDBusConnection::disconnectFromBus(QStringLiteral("none"));
    }
};

QTEST_GUILESS_MAIN(TestFreedesktopServices)
#include "tst_freedesktopservices.moc"
