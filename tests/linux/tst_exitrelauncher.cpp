#include "platform/linux/exitrelauncher.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Velmora;

// The relaunch starts the program only once the old process has gone, with
// its arguments as given.
class TestExitRelauncher : public QObject
{
    Q_OBJECT
private slots:
    void startsTheProgramOnceTheProcessHasGone()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString marker = dir.filePath("relaunched");
        QProcess old;
        old.start("/bin/sleep", { "30" });
        QVERIFY(old.waitForStarted());

        ExitRelauncher relauncher;
        QVERIFY(relauncher.relaunchWhenExited(
            old.processId(), "/bin/sh", { "-c", "printf '%s|%s' \"$0\" \"$1\" > \"$2\"", "one two", "three", marker }));
        QTest::qWait(300);
        QVERIFY(!QFile::exists(marker));

        old.kill();
        QVERIFY(old.waitForFinished());
        const auto written = [&] {
            QFile file(marker);
            return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
        };
        QTRY_COMPARE_WITH_TIMEOUT(written(), QString("one two|three"), 5000);
    }

    void refusesNothingToStart()
    {
        ExitRelauncher relauncher;
        QVERIFY(!relauncher.relaunchWhenExited(0, "/bin/true", {}));
        QVERIFY(!relauncher.relaunchWhenExited(QCoreApplication::applicationPid(), QString(), {}));
        QVERIFY(!ExitRelauncher("/nonexistent/shell").relaunchWhenExited(1, "/bin/true", {}));
        // A program that is gone, or cannot run, would leave nothing running.
        QTemporaryDir dir;
        QFile plain(dir.filePath("velmora"));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        for (const QString &program : { dir.filePath("missing"), plain.fileName() })
            QVERIFY2(!relauncher.relaunchWhenExited(QCoreApplication::applicationPid(), program, {}), qPrintable(program));
    }
};

QTEST_GUILESS_MAIN(TestExitRelauncher)
#include "tst_exitrelauncher.moc"
