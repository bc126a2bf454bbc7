#include "platform/linux/ptylauncher.h"
#include "platform/linux/systemclock.h"
#include "platform/sim/simulatedterminallauncher.h"
#include "platform/sim/virtualclock.h"
#include "taskmanager/sampling/processnetworkreader.h"

#include <QMutex>
#include <QTest>

#include <QTemporaryDir>

#include <arpa/inet.h>
#include <cerrno>
#include <csignal>
#include <ctime>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

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

// Two children of this test exchanging data over loopback TCP: one sends
// `bytesPerSecond` for `seconds`, paced in sixteenths of a second, the other
// receives it all.
struct LoopbackPair
{
    pid_t receiver = -1;
    pid_t sender = -1;

    LoopbackPair(int bytesPerSecond, int seconds)
    {
        const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (listener < 0 || ::bind(listener, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0
            || ::listen(listener, 1) != 0
            || ::getsockname(listener, reinterpret_cast<sockaddr *>(&address), &length) != 0)
            return;
        // The children use nothing but system calls: they are forks of a
        // process with threads.
        receiver = ::fork();
        if (receiver == 0) {
            const int connection = ::accept(listener, nullptr, nullptr);
            static char buffer[65536];
            while (::read(connection, buffer, sizeof buffer) > 0) { }
            ::_exit(0);
        }
        sender = ::fork();
        if (sender == 0) {
            const int connection = ::socket(AF_INET, SOCK_STREAM, 0);
            if (::connect(connection, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0)
                ::_exit(1);
            static char chunk[65536];
            const int chunkBytes = bytesPerSecond / 16;
            timespec next {};
            ::clock_gettime(CLOCK_MONOTONIC, &next);
            for (int i = 0; i < seconds * 16; ++i) {
                for (int written = 0; written < chunkBytes;) {
                    const ssize_t n = ::write(connection, chunk, size_t(std::min<int>(chunkBytes - written, sizeof chunk)));
                    if (n <= 0)
                        ::_exit(1);
                    written += int(n);
                }
                next.tv_nsec += 62'500'000;
                if (next.tv_nsec >= 1'000'000'000) {
                    next.tv_nsec -= 1'000'000'000;
                    ++next.tv_sec;
                }
                ::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &next, nullptr);
            }
            ::_exit(0);
        }
        ::close(listener);
    }

    ~LoopbackPair()
    {
        for (pid_t pid : { sender, receiver }) {
            if (pid > 0) {
                ::kill(pid, SIGKILL);
                ::waitpid(pid, nullptr, 0);
            }
        }
    }
};

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

    void measuresLoopbackTrafficWithOurOwnTool()
    {
        constexpr int rate = 1 << 20;
        // Forked before the tool starts, so they hold none of its terminal.
        LoopbackPair pair(rate, 6);
        QVERIFY(pair.sender > 0 && pair.receiver > 0);

        Linux::SystemClock clock;
        const auto seconds = [&] { return double(clock.monotonicMs()) / 1000.0; };
        CountingLauncher launcher(300);
        ProcessNetworkReader reader(
            launcher, clock, ProcessNetworkReader::Command::ownTool(QStringLiteral(VELMORA_NETRATES_TOOL), ::getpid()));
        reader.start();
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                const Rates now = reader.rates(seconds() - 1.5, seconds());
                return now.contains(pair.sender) && now.contains(pair.receiver);
            }(),
            5000);

        // Three whole seconds, read once the tool has reported all of them.
        const double from = seconds();
        const double to = from + 3;
        QTest::qWait(int((to - seconds() + 1.3) * 1000));
        const Rates measured = reader.rates(from, to);
        for (pid_t pid : { pair.sender, pair.receiver }) {
            const double measuredRate = measured.value(pid);
            QVERIFY2(qAbs(measuredRate - rate) < rate * 0.1,
                qPrintable(QString("pid %1: %2 bytes/s").arg(pid).arg(measuredRate)));
        }
        QCOMPARE(reader.name(pair.sender), std::optional<QString>(QFileInfo(QCoreApplication::applicationFilePath()).fileName().left(15)));
        QVERIFY(reader.isAvailable());

        const qint64 tool = launcher.lastPid();
        QVERIFY(!childGone(tool));
        reader.stop();
        reader.waitForIdle();
        QVERIFY(childGone(tool));
    }

    void ourToolEndsWhenItsParentIsGone()
    {
        // A shell starts the tool naming itself as the parent, then exits at
        // once, as a crashed application would.
        Linux::PtyLauncher launcher(300);
        QMutex mutex;
        QByteArray output;
        PseudoTerminalLauncher::Handlers handlers;
        handlers.output = [&](const QByteArray &data) {
            QMutexLocker lock(&mutex);
            output += data;
        };
        auto shell = launcher.launch(QStringLiteral("/bin/sh"),
            { QStringLiteral("-c"), QStringLiteral("\"$0\" $$ & echo \"tool=$!\""),
                QStringLiteral(VELMORA_NETRATES_TOOL) },
            std::move(handlers));
        QVERIFY(shell);
        qint64 tool = -1;
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                QMutexLocker lock(&mutex);
                const qsizetype at = output.indexOf("tool=");
                const qsizetype end = output.indexOf('\n', at);
                if (at >= 0 && end > at)
                    tool = output.mid(at + 5, end - at - 5).trimmed().toLongLong();
                return tool > 0;
            }(),
            5000);
        // Gone, or a zombie left for whoever adopted it to reap.
        const auto ended = [tool] {
            QFile stat(QStringLiteral("/proc/%1/stat").arg(tool));
            if (!stat.open(QIODevice::ReadOnly))
                return true;
            const QByteArray text = stat.readAll();
            return text.mid(text.lastIndexOf(')') + 2, 1) == "Z";
        };
        QTRY_VERIFY_WITH_TIMEOUT(ended(), 4000);
    }

    void prefersOurOwnToolWhereItIsInstalled()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(ProcessNetworkReader::Command::ownToolName);
        QFile tool(path);
        QVERIFY(tool.open(QIODevice::WriteOnly));
        tool.close();
        QCOMPARE(ProcessNetworkReader::Command::forThisMachine(1, dir.path()).program, QStringLiteral("/bin/sh"));
        tool.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        const auto command = ProcessNetworkReader::Command::forThisMachine(1, dir.path());
        QCOMPARE(command.program, path);
        QCOMPARE(command.tool, path);
        QCOMPARE(command.arguments, QStringList { "1" });
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
