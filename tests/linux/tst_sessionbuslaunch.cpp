#include "platform/linux/sessionbuslaunch.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Velmora::Linux;

// The address is set only where no bus is named, none can be found and none
// could be started; a person's own address or bus is never overridden.
class TestSessionBusLaunch : public QObject
{
    Q_OBJECT

    QByteArray m_saved[3];
    static constexpr const char *variables[3] = { "DBUS_SESSION_BUS_ADDRESS", "XDG_RUNTIME_DIR", "PATH" };

private slots:
    void initTestCase()
    {
        for (int i = 0; i < 3; ++i)
            m_saved[i] = qgetenv(variables[i]);
    }

    void cleanup()
    {
        for (int i = 0; i < 3; ++i) {
            if (m_saved[i].isNull())
                qunsetenv(variables[i]);
            else
                qputenv(variables[i], m_saved[i]);
        }
    }

    void readsThisProcessesEnvironment_data()
    {
        QTest::addColumn<QByteArray>("address");
        QTest::addColumn<bool>("runtimeBus");
        QTest::addColumn<bool>("launcher");
        QTest::addColumn<QByteArray>("expected");

        const QByteArray own = "unix:path=/run/user/1000/bus";
        const QByteArray none = QByteArray(SessionBusLaunch::noBusAddress);
        QTest::newRow("no bus anywhere and no way to start one") << QByteArray() << false << false << none;
        QTest::newRow("an address of the person's") << own << false << false << own;
        QTest::newRow("the login session's bus") << QByteArray() << true << false << QByteArray();
        QTest::newRow("dbus-launch could start one") << QByteArray() << false << true << QByteArray();
    }

    void readsThisProcessesEnvironment()
    {
        QFETCH(QByteArray, address);
        QFETCH(bool, runtimeBus);
        QFETCH(bool, launcher);
        QFETCH(QByteArray, expected);

        QTemporaryDir runtime;
        QTemporaryDir bin;
        QVERIFY(runtime.isValid() && bin.isValid());
        if (runtimeBus) {
            QFile bus(runtime.filePath(QStringLiteral("bus")));
            QVERIFY(bus.open(QIODevice::WriteOnly));
        }
        if (launcher) {
            QFile program(bin.filePath(QStringLiteral("dbus-launch")));
            QVERIFY(program.open(QIODevice::WriteOnly));
            program.write("#!/bin/sh\n");
            program.close();
            QVERIFY(program.setPermissions(program.permissions() | QFileDevice::ExeOwner));
        }
        if (address.isEmpty())
            qunsetenv("DBUS_SESSION_BUS_ADDRESS");
        else
            qputenv("DBUS_SESSION_BUS_ADDRESS", address);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
        qputenv("PATH", QFile::encodeName(bin.path()));

        SessionBusLaunch::avoidHopelessLaunch();
        QCOMPARE(qgetenv("DBUS_SESSION_BUS_ADDRESS"), expected);
    }
};

QTEST_GUILESS_MAIN(TestSessionBusLaunch)
#include "tst_sessionbuslaunch.moc"
