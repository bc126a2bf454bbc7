#include "platform/linux/localapplicationprocesses.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Velmora;
using RunResult = ApplicationProcesses::RunResult;

// This application's instances, and the programs it runs and waits for.
class TestLocalApplicationProcesses : public QObject
{
    Q_OBJECT
private slots:
    void runsWithALimit_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<RunResult>("result");
        QTest::newRow("finishes") << "/bin/sh" << QStringList{"-c", "exit 3"} << RunResult::Finished;
        QTest::newRow("hangs") << "/bin/sleep" << QStringList{"30"} << RunResult::TimedOut;
        QTest::newRow("missing") << "/nonexistent/xattr" << QStringList{} << RunResult::FailedToStart;
    }
    void runsWithALimit()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QFETCH(RunResult, result);
        Linux::LocalApplicationProcesses processes("org.velmora.Velmora", "/opt/v/velmora");
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(processes.run(program, arguments, 300), result);
        QVERIFY(timer.elapsed() < 5000);
    }

    void findsInstancesByExecutable()
    {
        QTemporaryDir proc;
        const auto process = [&](const QString &pid, const QString &exe) {
            QDir(proc.path()).mkdir(pid);
            QFile::link(exe, proc.filePath(pid + "/exe"));
        };
        process("10", "/opt/v/velmora");
        process("11", "/usr/bin/bash");
        process("12", "/opt/v/velmora");
        QDir(proc.path()).mkdir("self");
        QFile::link("/opt/v/velmora", proc.filePath("self/exe"));
        Linux::LocalApplicationProcesses processes("org.velmora.Velmora", "/opt/v/velmora", proc.path());
        QList<qint64> found = processes.runningInstances("org.velmora.Velmora");
        std::sort(found.begin(), found.end());
        QCOMPARE(found, QList<qint64>({10, 12}));
        QVERIFY(processes.runningInstances("com.example.other").isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestLocalApplicationProcesses)
#include "tst_localapplicationprocesses.moc"
