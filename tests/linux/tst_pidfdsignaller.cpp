#include "platform/linux/pidfdsignaller.h"
#include "platform/linux/procstatistics.h"

#include <QTest>

#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

using Velmora::Linux::PidfdSignaller;
using Velmora::Linux::ProcStatistics;
using Outcome = Velmora::ProcessSignaller::Outcome;

extern char **environ;

// Only children of this test are ever signalled: CI runs as root, where a
// stray signal could end anything on the machine.
class TestPidfdSignaller : public QObject
{
    Q_OBJECT

    static pid_t spawnSleeper()
    {
        char sleep[] = "/bin/sleep";
        char seconds[] = "30";
        char *argv[] = { sleep, seconds, nullptr };
        pid_t pid = -1;
        return ::posix_spawn(&pid, sleep, nullptr, nullptr, argv, environ) == 0 ? pid : -1;
    }

    // A sleeping child and the identity it has now.
    static std::pair<pid_t, Velmora::ProcessIdentity> sleeper(ProcStatistics &stats)
    {
        const pid_t child = spawnSleeper();
        const auto identity = stats.identity(child);
        return { identity ? child : -1, identity.value_or(Velmora::ProcessIdentity {}) };
    }

    static int reap(pid_t pid)
    {
        int status = 0;
        ::waitpid(pid, &status, 0);
        return WIFSIGNALED(status) ? WTERMSIG(status) : -1;
    }

private slots:
    void signalsOnlyTheSameRun()
    {
        ProcStatistics stats;
        PidfdSignaller signaller(stats);
        const auto [child, identity] = sleeper(stats);
        QVERIFY(child > 0);

        // Another start time means the id now names another run: not ours to end.
        const auto stale = signaller.send(child, identity.started - 1'000'000, identity.uid, SIGTERM);
        QCOMPARE(stale.outcome, Outcome::NoSuchProcess);
        const auto otherUser = signaller.send(child, identity.started, identity.uid + 1, SIGTERM);
        QCOMPARE(otherUser.outcome, Outcome::NoSuchProcess);
        QVERIFY(stats.identity(child));

        const auto sent = signaller.send(child, identity.started, identity.uid, SIGTERM);
        QCOMPARE(sent.outcome, Outcome::Delivered);
        QCOMPARE(reap(child), SIGTERM);

        const auto gone = signaller.send(child, identity.started, identity.uid, SIGTERM);
        QCOMPARE(gone.outcome, Outcome::NoSuchProcess);
    }

    void zombieCountsAsExited()
    {
        ProcStatistics stats;
        PidfdSignaller signaller(stats);
        const auto [child, identity] = sleeper(stats);
        QVERIFY(child > 0);
        ::kill(child, SIGKILL);
        QTRY_VERIFY_WITH_TIMEOUT(stats.identity(child) && stats.identity(child)->hasExited, 5000);
        const auto result = signaller.send(child, identity.started, identity.uid, SIGTERM);
        QCOMPARE(result.outcome, Outcome::NoSuchProcess);
        reap(child);
    }
};

QTEST_GUILESS_MAIN(TestPidfdSignaller)
#include "tst_pidfdsignaller.moc"
