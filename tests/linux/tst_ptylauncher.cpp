#include "platform/linux/ptylauncher.h"

#include <QElapsedTimer>
#include <QMutex>
#include <QTest>

#include <atomic>
#include <cerrno>
#include <csignal>

using Velmora::PseudoTerminalLauncher;
using Velmora::Linux::PtyLauncher;

namespace {

struct Collector
{
    QMutex mutex;
    QByteArray output;
    std::atomic<int> finished { 0 };

    PseudoTerminalLauncher::Handlers handlers()
    {
        return { [this](const QByteArray &data) {
                    QMutexLocker lock(&mutex);
                    output += data;
                },
            [this] { ++finished; } };
    }
    QByteArray text()
    {
        QMutexLocker lock(&mutex);
        return output;
    }
};

bool exists(qint64 pid)
{
    return ::kill(pid_t(pid), 0) == 0 || errno != ESRCH;
}

} // namespace

class TestPtyLauncher : public QObject
{
    Q_OBJECT
private slots:
    void outputArrivesRawThenTheEnd()
    {
        PtyLauncher launcher;
        Collector collector;
        // A raw terminal passes bytes through: no "\r" is added to "\n", and
        // standard error goes nowhere.
        auto child
            = launcher.launch("/bin/sh", { "-c", "printf 'one\\ntwo'; echo oops >&2; exit 0" }, collector.handlers());
        QVERIFY(child);
        QTRY_COMPARE_WITH_TIMEOUT(collector.finished.load(), 1, 5000);
        QCOMPARE(collector.text(), QByteArray("one\ntwo"));
        QTRY_VERIFY_WITH_TIMEOUT(!child->isRunning(), 5000);
    }

    void unknownProgramGivesNothing()
    {
        PtyLauncher launcher;
        Collector collector;
        QVERIFY(!launcher.launch("/nonexistent/tool", {}, collector.handlers()));
    }

    void destroyingEndsAndReapsTheChild()
    {
        PtyLauncher launcher(5000);
        Collector collector;
        auto child = launcher.launch("/bin/sh", { "-c", "echo up; exec sleep 30" }, collector.handlers());
        QVERIFY(child);
        const qint64 pid = child->processId();
        QTRY_COMPARE_WITH_TIMEOUT(collector.text(), QByteArray("up\n"), 5000);
        QElapsedTimer timer;
        timer.start();
        child.reset();
        QVERIFY(timer.elapsed() < 4000); // SIGTERM was enough, no waiting out the grace period
        QVERIFY(!exists(pid));
    }

    void childThatIgnoresTerminateIsKilled()
    {
        PtyLauncher launcher(300);
        Collector collector;
        // The shell ignores SIGTERM, and so does the sleep it leaves behind.
        auto child
            = launcher.launch("/bin/sh", { "-c", "trap '' TERM; echo up; sleep 30 & wait" }, collector.handlers());
        QVERIFY(child);
        const qint64 pid = child->processId();
        QTRY_COMPARE_WITH_TIMEOUT(collector.text(), QByteArray("up\n"), 5000);
        child->terminate();
        QTest::qWait(100);
        QVERIFY(child->isRunning());
        QElapsedTimer timer;
        timer.start();
        child.reset();
        QVERIFY(timer.elapsed() < 3000);
        QVERIFY(!exists(pid));
        QCOMPARE(collector.finished.load(), 0); // no handler after destruction
    }
};

QTEST_GUILESS_MAIN(TestPtyLauncher)
#include "tst_ptylauncher.moc"
