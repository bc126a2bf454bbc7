#include "platform/sim/simulatedsignaller.h"
#include "platform/sim/simulatedstatistics.h"
#include "platform/sim/simulatedterminallauncher.h"
#include "platform/sim/virtualclock.h"
#include "processfixtures.h"
#include "taskmanager/model/taskmanagerviewmodel.h"
#include "taskmanager/sampling/systemmonitor.h"
#include "taskmanager/sampling/systemsampler.h"

#include <QSignalSpy>
#include <QTest>

using namespace Velmora;
using Test::ownPid;
using Test::ownUid;

class TestTaskManagerViewModel : public QObject
{
    Q_OBJECT

    Sim::VirtualClock m_clock;
    Sim::SimulatedStatistics m_stats;
    Sim::SimulatedSignaller m_signaller { ownPid, ownUid };
    Sim::SimulatedTerminalLauncher m_terminals;

    std::unique_ptr<SystemMonitor> makeMonitor()
    {
        return std::make_unique<SystemMonitor>(SystemMonitor::Environment {
            &m_clock, &m_clock, &m_stats, &m_signaller, [this] {
                return std::make_unique<SystemSampler>(m_stats, m_clock,
                    std::make_unique<ProcessNetworkReader>(
                        m_terminals, m_clock, ProcessNetworkReader::Command { "tool", {}, QStringLiteral("/none") }));
            } });
    }

private slots:
    // The monitor publishes a sample and its history one after the other;
    // the view updates once for both.
    void oneUpdatePerSample()
    {
        Sim::SimulatedStatistics::Process editor;
        editor.statistics.identity = ProcessIdentity { ownUid, 1'000, false, false };
        editor.statistics.name = QStringLiteral("Editor");
        m_stats.setProcess(300, editor);
        m_stats.setMemory(MemoryStatistics { 8ull << 30, 2ull << 30 });
        auto monitor = makeMonitor();
        TaskManagerViewModel model({
            .scheduler = m_clock,
            .monitor = monitor.get(),
            .statistics = &m_stats,
            .signaller = &m_signaller,
            .clock = &m_clock,
        });
        monitor->setProcessesVisible(true);
        // The measurement runs on the monitor's thread and comes back through
        // the event loop; the view-model's update then waits for the clock.
        QVERIFY(QTest::qWaitFor([&] { return !monitor->isMeasuring(); }, 5000));
        m_clock.runPending();
        QSignalSpy applied(&model, &TaskManagerViewModel::sampleApplied);
        m_clock.advance(SystemMonitor::intervalMs);
        QVERIFY(QTest::qWaitFor([&] { return !monitor->isMeasuring(); }, 5000));
        m_clock.runPending();
        QCOMPARE(applied.size(), 1);
        m_clock.runPending();
        QCOMPARE(applied.size(), 1);
        QCOMPARE(model.processList().displayedCount(), 1);
        QCOMPARE(model.cards().size(), 4);
        QCOMPARE(model.cards()[1].detail, QStringLiteral("2 GB / 8 GB"));
        m_stats.removeProcess(300);
    }

    void cardsHoverAndOpen()
    {
        TaskManagerViewModel model({ .scheduler = m_clock });
        // Moving straight from one card to the next: the next one's enter may
        // come before the first one's leave.
        model.setMetricHovered("CPU", true);
        model.setMetricHovered("Memory", true);
        model.setMetricHovered("CPU", false);
        QCOMPARE(model.hoveredMetric(), std::optional<QString>("Memory"));

        SystemSample sample;
        sample.timestamp = 1;
        sample.processes = { Test::managedProcess(7, "Editor") };
        model.processList().applySample(sample);
        model.processList().selectProcess(sample.processes.first(), true);
        QSignalSpy expanded(&model, &TaskManagerViewModel::expandedMetricChanged);
        model.openMetric(MetricDetail::disk());
        QCOMPARE(model.expandedMetric(), std::optional(MetricDetail::disk()));
        QVERIFY(!model.hoveredMetric());
        QVERIFY(!model.processList().selection());
        model.closeMetric();
        model.closeMetric();
        QVERIFY(!model.expandedMetric());
        QCOMPARE(expanded.size(), 2);
    }
};

QTEST_GUILESS_MAIN(TestTaskManagerViewModel)
#include "tst_taskmanagerviewmodel.moc"
