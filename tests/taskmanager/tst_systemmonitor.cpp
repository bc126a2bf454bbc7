#include "platform/sim/simulatedsignaller.h"
#include "platform/sim/simulatedstatistics.h"
#include "platform/sim/simulatedterminallauncher.h"
#include "platform/sim/virtualclock.h"
#include "taskmanager/sampling/systemmonitor.h"
#include "taskmanager/sampling/systemsampler.h"

#include <QSignalSpy>
#include <QTest>

#include <cerrno>
#include <csignal>

using namespace Velmora;
using Outcome = ProcessSignaller::Outcome;

namespace {

constexpr qint32 ownPid = 4000;
constexpr quint32 ownUid = 501;

ManagedProcess listed(qint32 pid, quint64 started = 1'000, quint32 uid = ownUid)
{
    return ManagedProcess { pid, QStringLiteral("Editor"), QStringLiteral("ada"), uid, started, {}, {} };
}

// Counts the queued calls delivered to an object: each is a wake-up of the
// main thread.
struct QueuedCallCounter : QObject
{
    int count = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::MetaCall)
            ++count;
        return false;
    }
};

} // namespace

class TestSystemMonitor : public QObject
{
    Q_OBJECT

    Sim::VirtualClock m_clock;
    // The pace kept off the main thread while nothing is shown; it moves in
    // step with m_clock.
    Sim::VirtualClock m_hiddenTicks;
    Sim::SimulatedStatistics m_stats;
    Sim::SimulatedSignaller m_signaller { ownPid, ownUid };
    Sim::SimulatedTerminalLauncher m_terminals;
    ProcessNetworkReader *m_reader = nullptr;

    std::unique_ptr<SystemMonitor> makeMonitor()
    {
        SystemMonitor::Environment environment;
        environment.clock = &m_clock;
        environment.scheduler = &m_clock;
        environment.statistics = &m_stats;
        environment.signaller = &m_signaller;
        environment.hiddenScheduler = &m_hiddenTicks;
        environment.makeSampler = [this] {
            auto reader = std::make_unique<ProcessNetworkReader>(
                m_terminals, m_clock, ProcessNetworkReader::Command { "tool", {}, {} });
            m_reader = reader.get();
            return std::make_unique<SystemSampler>(m_stats, m_clock, std::move(reader));
        };
        return std::make_unique<SystemMonitor>(environment);
    }

    // One tick of the monitor's timer, and its result applied.
    bool tick(SystemMonitor &monitor)
    {
        m_clock.advance(SystemMonitor::intervalMs);
        m_hiddenTicks.advance(SystemMonitor::intervalMs);
        return QTest::qWaitFor([&] { return !monitor.isMeasuring(); }, 5000);
    }

    void setProcess(qint32 pid, quint64 ticks, quint64 started = 1'000)
    {
        Sim::SimulatedStatistics::Process p;
        p.statistics.identity = ProcessIdentity { ownUid, started, false, false };
        p.statistics.name = QStringLiteral("browser");
        p.statistics.cpuTicks = ticks;
        m_stats.setProcess(pid, p);
    }

private slots:
    void hiddenItMeasuresButPublishesNothing()
    {
        auto monitor = makeMonitor();
        QSignalSpy samples(monitor.get(), &SystemMonitor::sampleChanged);
        QSignalSpy histories(monitor.get(), &SystemMonitor::historyChanged);
        setProcess(10, 100);
        monitor->start();
        QVERIFY(QTest::qWaitFor([&] { return !monitor->isMeasuring(); }, 5000));
        for (int i = 0; i < 70; ++i)
            QVERIFY(tick(*monitor));
        QCOMPARE(samples.size(), 0);
        QCOMPARE(histories.size(), 0);
        QVERIFY(monitor->history().isEmpty());

        // Opening shows the last 61 at once, without processes or top lists.
        monitor->setProcessesVisible(true);
        QCOMPARE(monitor->history().size(), SystemMonitor::historyLength);
        for (const SystemSample &sample : monitor->history())
            QVERIFY(sample.processes.isEmpty() && !sample.top.isAvailable);
        QCOMPARE(monitor->sample().timestamp, monitor->history().last().timestamp);

        // The first measurement with processes has no CPU value for any.
        QVERIFY(QTest::qWaitFor([&] { return !monitor->isMeasuring(); }, 5000));
        QCOMPARE(monitor->sample().processes.size(), 1);
        QVERIFY(!monitor->sample().processes.first().cpu);
        QCOMPARE(monitor->history().size(), SystemMonitor::historyLength);
        setProcess(10, 150);
        QVERIFY(tick(*monitor));
        QVERIFY(monitor->sample().processes.first().cpu);

        // Hiding again empties the published list and ends the network tool.
        monitor->setProcessesVisible(false);
        QVERIFY(monitor->sample().processes.isEmpty());
        m_reader->waitForIdle();
        QVERIFY(!m_terminals.write(",\n"));
    }

    void hiddenTheMainThreadSleepsAndOpeningTakesEveryResult()
    {
        auto monitor = makeMonitor();
        QueuedCallCounter queued;
        monitor->installEventFilter(&queued);
        QSignalSpy samples(monitor.get(), &SystemMonitor::sampleChanged);
        // Jobs of the monitors of earlier tests are dropped only when due.
        m_clock.advance(SystemMonitor::intervalMs);
        m_hiddenTicks.advance(SystemMonitor::intervalMs);
        const int mainJobs = m_clock.pendingJobCount();
        const int hiddenJobs = m_hiddenTicks.pendingJobCount();
        monitor->start();
        QVERIFY(QTest::qWaitFor([&] { return !monitor->isMeasuring(); }, 5000));
        // Hidden, the pace is kept off the main thread: no timer there, and
        // no result handed to it.
        QCOMPARE(m_clock.pendingJobCount(), mainJobs);
        QCOMPARE(m_hiddenTicks.pendingJobCount(), hiddenJobs + 1);
        QList<qint64> times { m_clock.wallClockMs() };
        for (int i = 0; i < 3; ++i) {
            QVERIFY(tick(*monitor));
            times.append(m_clock.wallClockMs());
        }
        QTest::qWait(20);
        QCOMPARE(queued.count, 0);

        // Showing takes the kept results, in order, none lost, and hands the
        // pace back to the main thread.
        monitor->setProcessesVisible(true);
        QList<qint64> shown;
        for (const SystemSample &sample : monitor->history())
            shown.append(sample.timestamp);
        QCOMPARE(shown, times);
        QCOMPARE(m_clock.pendingJobCount(), mainJobs + 1);
        QCOMPARE(m_hiddenTicks.pendingJobCount(), hiddenJobs);
        // Shown, each result is published as soon as it is measured.
        QVERIFY(QTest::qWaitFor([&] { return !monitor->isMeasuring(); }, 5000));
        QCOMPARE(queued.count, 1);
        QCOMPARE(monitor->history().size(), 5);
        QCOMPARE(monitor->sample().timestamp, monitor->history().last().timestamp);
        QVERIFY(samples.size() >= 2);

        // Hidden again, the queue takes the pace back.
        monitor->setProcessesVisible(false);
        QCOMPARE(m_clock.pendingJobCount(), mainJobs);
        QCOMPARE(m_hiddenTicks.pendingJobCount(), hiddenJobs + 1);
        QVERIFY(tick(*monitor));
        QTest::qWait(20);
        QCOMPARE(queued.count, 1);
        monitor->setProcessesVisible(true);
        QCOMPARE(monitor->history().size(), 6);
    }

    void hiddenKeepsNoMoreThanTheHistoryHolds()
    {
        auto monitor = makeMonitor();
        monitor->start();
        QVERIFY(QTest::qWaitFor([&] { return !monitor->isMeasuring(); }, 5000));
        for (int i = 0; i < SystemMonitor::historyLength + 9; ++i)
            QVERIFY(tick(*monitor));
        const qint64 newest = m_clock.wallClockMs();
        monitor->setProcessesVisible(true);
        QCOMPARE(monitor->history().size(), SystemMonitor::historyLength);
        QCOMPARE(monitor->history().last().timestamp, newest);
        QCOMPARE(monitor->history().first().timestamp,
            newest - (SystemMonitor::historyLength - 1) * SystemMonitor::intervalMs);
    }

    void keepsOneTimerOfOneSecond()
    {
        Sim::VirtualClock clock;
        Sim::VirtualClock hiddenTicks;
        SystemMonitor::Environment environment { &clock, &clock, &m_stats, &m_signaller,
            [&] {
                return std::make_unique<SystemSampler>(m_stats, clock,
                    std::make_unique<ProcessNetworkReader>(
                        m_terminals, clock, ProcessNetworkReader::Command { "tool", {}, {} }));
            },
            &hiddenTicks };
        SystemMonitor monitor(environment);
        // Hidden on the queue's side, shown on the main thread's; the first
        // job of each fresh clock.
        monitor.start();
        monitor.start();
        QCOMPARE(clock.pendingJobCount(), 0);
        QCOMPARE(hiddenTicks.pendingJobCount(), 1);
        QCOMPARE(hiddenTicks.intervalOf(1), 1000);
        QCOMPARE(hiddenTicks.toleranceOf(1), 200);
        monitor.setProcessesVisible(true);
        QCOMPARE(clock.pendingJobCount(), 1);
        QCOMPARE(hiddenTicks.pendingJobCount(), 0);
        QCOMPARE(clock.intervalOf(1), 1000);
        QCOMPARE(clock.toleranceOf(1), 200);
        QVERIFY(QTest::qWaitFor([&] { return !monitor.isMeasuring(); }, 5000));
    }

    void ticksDoNotQueueBehindAMeasurement()
    {
        auto monitor = makeMonitor();
        monitor->setProcessesVisible(true);
        QVERIFY(QTest::qWaitFor([&] { return !monitor->isMeasuring(); }, 5000));
        QCOMPARE(monitor->history().size(), 1);
        // Three ticks while the first result has not been applied yet.
        m_clock.advance(SystemMonitor::intervalMs);
        QVERIFY(monitor->isMeasuring());
        m_clock.advance(2 * SystemMonitor::intervalMs);
        QVERIFY(QTest::qWaitFor([&] { return !monitor->isMeasuring(); }, 5000));
        QTest::qWait(20);
        QCOMPARE(monitor->history().size(), 2);
    }

    void lateNetworkListRevisesItsSample()
    {
        auto monitor = makeMonitor();
        setProcess(10, 1);
        monitor->setProcessesVisible(true);
        QVERIFY(QTest::qWaitFor([&] { return !monitor->isMeasuring(); }, 5000));
        m_reader->waitForIdle();
        // The tool reports the second before the first measurement only now.
        QVERIFY(m_terminals.write(",\n,\nbrowser.10,600,400,\n,\n"));
        m_reader->waitForIdle();
        QVERIFY(monitor->history().first().top.network.isEmpty());

        QVERIFY(tick(*monitor));
        QCOMPARE(monitor->history().size(), 2);
        QCOMPARE(monitor->history().first().top.network, (QList { AppUsage { "browser", {}, {}, 1000 } }));
        QVERIFY(monitor->sample().top.network.isEmpty());
        QVERIFY(!monitor->sample().revisedNetwork);
    }

    void terminate_data()
    {
        QTest::addColumn<ManagedProcess>("process");
        QTest::addColumn<std::optional<ProcessIdentity>>("current");
        QTest::addColumn<ProcessSignaller::Result>("result");
        QTest::addColumn<std::optional<QString>>("error");
        QTest::addColumn<bool>("signalled");

        const ProcessIdentity same { ownUid, 1'000, false, false };
        const ProcessSignaller::Result delivered { Outcome::Delivered, 0 };
        const QString protectedText("This process is protected or belongs to another user.");
        const QString exitedText("This process has already exited. The process list will refresh automatically.");

        QTest::newRow("ends") << listed(77) << std::optional(same) << delivered << std::optional<QString>() << true;
        QTest::newRow("pid 0") << listed(0) << std::optional(same) << delivered << std::optional(protectedText)
                               << false;
        QTest::newRow("pid 1") << listed(1) << std::optional(same) << delivered << std::optional(protectedText)
                               << false;
        QTest::newRow("this application")
            << listed(ownPid) << std::optional(same) << delivered << std::optional(protectedText) << false;
        QTest::newRow("another user's") << listed(77, 1'000, 0) << std::optional(ProcessIdentity { 0, 1'000 })
                                        << delivered << std::optional(protectedText) << false;
        QTest::newRow("kernel thread") << listed(77) << std::optional(ProcessIdentity { ownUid, 1'000, true, false })
                                       << delivered << std::optional(protectedText) << false;
        QTest::newRow("gone") << listed(77) << std::optional<ProcessIdentity>() << delivered
                              << std::optional(exitedText) << false;
        QTest::newRow("pid reused") << listed(77) << std::optional(ProcessIdentity { ownUid, 2'000 }) << delivered
                                    << std::optional(exitedText) << false;
        QTest::newRow("zombie") << listed(77) << std::optional(ProcessIdentity { ownUid, 1'000, false, true })
                                << delivered << std::optional(exitedText) << false;
        QTest::newRow("exits before the signal")
            << listed(77) << std::optional(same) << ProcessSignaller::Result { Outcome::NoSuchProcess, ESRCH }
            << std::optional(exitedText) << true;
        QTest::newRow("refused") << listed(77) << std::optional(same)
                                 << ProcessSignaller::Result { Outcome::Failed, EPERM }
                                 << std::optional(QStringLiteral("Could not end Editor: ") + qt_error_string(EPERM))
                                 << true;
    }

    void terminate()
    {
        QFETCH(ManagedProcess, process);
        QFETCH(std::optional<ProcessIdentity>, current);
        QFETCH(ProcessSignaller::Result, result);
        QFETCH(std::optional<QString>, error);
        QFETCH(bool, signalled);

        Sim::SimulatedSignaller signaller(ownPid, ownUid);
        signaller.setNextResult(result);
        Sim::SimulatedStatistics stats;
        if (current) {
            Sim::SimulatedStatistics::Process p;
            p.statistics.identity = *current;
            stats.setProcess(process.id, p);
        }
        SystemMonitor::Environment environment { &m_clock, &m_clock, &stats, &signaller, {} };
        SystemMonitor monitor(environment);
        QSignalSpy errors(&monitor, &SystemMonitor::errorChanged);

        monitor.terminate(process, false);
        QCOMPARE(monitor.error(), error);
        QCOMPARE(errors.size(), error ? 1 : 0);
        QCOMPARE(signaller.requests().size(), signalled ? 1 : 0);
        if (signalled)
            QCOMPARE(signaller.requests().first(),
                (Sim::SimulatedSignaller::Request { process.id, process.started, process.uid, SIGTERM }));
    }

    void forceQuitKills()
    {
        Sim::SimulatedStatistics stats;
        Sim::SimulatedStatistics::Process p;
        p.statistics.identity = ProcessIdentity { ownUid, 1'000 };
        stats.setProcess(77, p);
        SystemMonitor monitor(SystemMonitor::Environment { &m_clock, &m_clock, &stats, &m_signaller, {} });
        monitor.terminate(listed(77), true);
        QCOMPARE(m_signaller.requests().last().signal, SIGKILL);
        QVERIFY(!monitor.error());
    }

    void rateText_data()
    {
        QTest::addColumn<std::optional<double>>("rate");
        QTest::addColumn<QString>("text");
        QTest::newRow("absent") << std::optional<double>() << QStringLiteral("\u2014");
        QTest::newRow("negative") << std::optional(-5.0) << QStringLiteral("0 bytes/s");
        QTest::newRow("fraction of a byte") << std::optional(0.9) << QStringLiteral("0 bytes/s");
        QTest::newRow("kilobytes") << std::optional(1'500.7) << QStringLiteral("2 KB/s");
        QTest::newRow("megabytes") << std::optional(2'500'000.0) << QStringLiteral("2.5 MB/s");
    }

    void rateText()
    {
        QFETCH(std::optional<double>, rate);
        QFETCH(QString, text);
        QCOMPARE(SystemMonitor::rateText(rate), text);
    }
};

QTEST_GUILESS_MAIN(TestSystemMonitor)
#include "tst_systemmonitor.moc"
