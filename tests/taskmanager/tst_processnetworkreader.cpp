#include "platform/linux/ptylauncher.h"
#include "platform/sim/simulatedterminallauncher.h"
#include "platform/sim/virtualclock.h"
#include "taskmanager/sampling/processnetworkreader.h"

#include <QMutex>
#include <QTest>

#include <cerrno>
#include <csignal>

using namespace Velmora;
using Rates = QHash<qint32, double>;

namespace {

// The real terminal launcher, counting launches and remembering the children.
class CountingLauncher final : public PseudoTerminalLauncher
{
public:
    explicit CountingLauncher(int graceMs)
        : m_real(graceMs)
    {
    }

    std::unique_ptr<PseudoTerminalProcess> launch(
        const QString &program, const QStringList &arguments, Handlers handlers) override
    {
        auto process = m_real.launch(program, arguments, std::move(handlers));
        QMutexLocker lock(&m_mutex);
        ++m_launches;
        if (process)
            m_pids.append(process->processId());
        return process;
    }
    int launches()
    {
        QMutexLocker lock(&m_mutex);
        return m_launches;
    }
    qint64 lastPid()
    {
        QMutexLocker lock(&m_mutex);
        return m_pids.isEmpty() ? -1 : m_pids.last();
    }

private:
    Linux::PtyLauncher m_real;
    QMutex m_mutex;
    int m_launches = 0;
    QList<qint64> m_pids;
};

// A stand-in for the network tool: a shell script that writes the tool's
// line protocol, so the reader is exercised through a real terminal.
ProcessNetworkReader::Command fakeTool(const QString &script)
{
    return { QStringLiteral("/bin/sh"), { QStringLiteral("-c"), script }, QString() };
}

bool childGone(qint64 pid)
{
    return pid > 0 && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
}

} // namespace

class TestProcessNetworkReader : public QObject
{
    Q_OBJECT

    Sim::VirtualClock m_clock;
    double now() const { return double(m_clock.monotonicMs()) / 1000.0; }

private slots:
    void readsBlocksThroughTheTerminal()
    {
        CountingLauncher launcher(300);
        // A row before the second header, a row split across two writes, CRLF
        // line ends, and a third header that commits the block.
        ProcessNetworkReader reader(launcher, m_clock,
            fakeTool("printf ',h\\r\\nearly.5,1,1,\\r\\n,h\\r\\nWeb Wo'; sleep 0.2;"
                     "printf 'rker.6,100,50,\\r\\n,h\\r\\n'; exec sleep 30"));
        reader.start();
        const double t = now();
        QTRY_COMPARE_WITH_TIMEOUT(reader.rates(t - 1, t), (Rates { { 6, 150 } }), 5000);
        QCOMPARE(reader.name(6), std::optional<QString>("Web Worker"));
        QVERIFY(!reader.name(5));
        QVERIFY(reader.isAvailable());

        // Stopping forgets what was read and ends the child.
        const qint64 pid = launcher.lastPid();
        reader.stop();
        reader.waitForIdle();
        QVERIFY(childGone(pid));
        QCOMPARE(reader.rates(t - 1, t), Rates {});
    }

    void endOfOutputThenThrottledRelaunch()
    {
        CountingLauncher launcher(300);
        ProcessNetworkReader reader(launcher, m_clock, fakeTool("printf ',\\n,\\nx.9,5,5,\\n,\\n'"));
        reader.start();
        const double t = now();
        QTRY_COMPARE_WITH_TIMEOUT(reader.rates(t - 1, t), (Rates { { 9, 10 } }), 5000);
        const qint64 first = launcher.lastPid();

        m_clock.advance(5'000);
        reader.start();
        reader.waitForIdle();
        QCOMPARE(launcher.launches(), 1);

        // Past the throttle, a start relaunches the tool once it has gone.
        m_clock.advance(6'000);
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                reader.start();
                reader.waitForIdle();
                return launcher.launches() == 2;
            }(),
            5000);
        QVERIFY(childGone(first));
        QVERIFY(reader.isAvailable());
    }

    void stopEndsAToolThatIgnoresTerminate()
    {
        CountingLauncher launcher(300);
        ProcessNetworkReader reader(launcher, m_clock, fakeTool("trap '' TERM; printf ',\\n'; exec sleep 30"));
        reader.start();
        QTRY_VERIFY_WITH_TIMEOUT(launcher.lastPid() > 0, 5000);
        const qint64 pid = launcher.lastPid();
        reader.stop();
        reader.waitForIdle();
        QVERIFY(childGone(pid));

        // After a stop the next start launches at once, throttle or not.
        reader.start();
        reader.waitForIdle();
        QCOMPARE(launcher.launches(), 2);
    }

    void failedLaunchIsRetriedOnlyAfterTheThrottle()
    {
        Sim::SimulatedTerminalLauncher launcher;
        launcher.setFailsToLaunch(true);
        ProcessNetworkReader reader(launcher, m_clock, fakeTool("exit 0"));
        const auto startAfter = [&](qint64 ms) {
            m_clock.advance(ms);
            reader.start();
            reader.waitForIdle();
            return launcher.launchCount();
        };
        QCOMPARE(startAfter(0), 1);
        QVERIFY(!reader.isAvailable());
        // The throttle counts from the failed attempt, not from a success.
        QCOMPARE(startAfter(5'000), 1);
        QCOMPARE(startAfter(5'001), 2);
    }

    void unavailableWhenNoToolCanRun()
    {
        CountingLauncher launcher(300);
        // This machine has no such tool: nothing is launched at all.
        ProcessNetworkReader missing(launcher, m_clock, ProcessNetworkReader::Command::systemTool(1));
        if (QFile::exists("/usr/bin/nettop"))
            QSKIP("this machine has the system tool");
        QVERIFY(!missing.isAvailable());
        missing.start();
        missing.waitForIdle();
        QCOMPARE(launcher.launches(), 0);

        // A tool that ends without a word tells us nothing about the network.
        ProcessNetworkReader silent(launcher, m_clock, fakeTool("exit 3"));
        QVERIFY(silent.isAvailable());
        silent.start();
        QTRY_VERIFY_WITH_TIMEOUT(!silent.isAvailable(), 5000);
    }
};

QTEST_GUILESS_MAIN(TestProcessNetworkReader)
#include "tst_processnetworkreader.moc"
