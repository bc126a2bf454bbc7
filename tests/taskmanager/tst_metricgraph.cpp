#include "taskmanager/model/metriccard.h"
#include "taskmanager/model/metricdetailsnapshot.h"
#include "taskmanager/model/metricgraph.h"

#include <QTest>

#include <cmath>

using namespace Velmora;
using Values = QList<std::optional<double>>;
using Segments = QList<QPolygonF>;
using Index = std::optional<qsizetype>;

Q_DECLARE_METATYPE(Values)
Q_DECLARE_METATYPE(Segments)
Q_DECLARE_METATYPE(Index)
Q_DECLARE_METATYPE(std::optional<double>)

namespace {

SystemSample at(qint64 timestamp, std::optional<double> diskRead = {}, std::optional<double> diskWrite = {})
{
    SystemSample sample;
    sample.timestamp = timestamp;
    sample.diskRead = diskRead;
    sample.diskWrite = diskWrite;
    return sample;
}

} // namespace

class TestMetricGraph : public QObject
{
    Q_OBJECT
private slots:
    void scaleTop_data()
    {
        QTest::addColumn<std::optional<double>>("ceiling");
        QTest::addColumn<Values>("values");
        QTest::addColumn<double>("top");
        QTest::newRow("small rates: the minimum") << std::optional<double>() << Values { 200, {}, 500 } << 1024.0;
        QTest::newRow("headroom above the peak") << std::optional<double>() << Values { 10'000, 3 } << 11'500.0;
        QTest::newRow("no values") << std::optional<double>() << Values { {}, {} } << 1024.0;
        QTest::newRow("percentages are fixed") << std::optional<double>(100) << Values { 250, 3 } << 100.0;
    }
    void scaleTop()
    {
        QFETCH(std::optional<double>, ceiling);
        QFETCH(Values, values);
        QFETCH(double, top);
        QCOMPARE(MetricGraph::scaleTop(ceiling, values), top);
    }

    void sparkline_data()
    {
        QTest::addColumn<Values>("values");
        QTest::addColumn<int>("slotCount");
        QTest::addColumn<double>("top");
        QTest::addColumn<Segments>("segments");
        // A 60 x 10 canvas: one point per x unit.
        QTest::newRow("gaps split the line") << Values { 0, 50, {}, {}, 100, 25,
            {} } << 60 << 100.0 << Segments { QPolygonF { { 0, 10 }, { 1, 5 } }, QPolygonF { { 4, 0 }, { 5, 7.5 } } };
        QTest::newRow("a lone value between gaps")
            << Values { {}, 50, {} } << 60 << 100.0 << Segments { QPolygonF { { 1, 5 } } };
        QTest::newRow("above the top: at the top edge")
            << Values { 250 } << 60 << 100.0 << Segments { QPolygonF { { 0, 0 } } };
        QTest::newRow("no top") << Values { 1 } << 60 << 0.0 << Segments {};
        QTest::newRow("no slots") << Values { 1 } << 0 << 100.0 << Segments {};
    }
    void sparkline()
    {
        QFETCH(Values, values);
        QFETCH(int, slotCount);
        QFETCH(double, top);
        QFETCH(Segments, segments);
        QCOMPARE(MetricGraph::sparklineSegments(values, slotCount, top, QSizeF(60, 10)), segments);
    }

    void aFullMinuteReachesTheRightEdge()
    {
        const Values full(61, 1.0);
        const Segments segments
            = MetricGraph::sparklineSegments(full, MetricGraph::sparklineSlots, 100, QSizeF(120, 48));
        QCOMPARE(segments.size(), 1);
        QCOMPARE(segments.first().last().x(), 120.0);
    }

    void nearestSample_data()
    {
        QTest::addColumn<double>("time");
        QTest::addColumn<Index>("index");
        QTest::newRow("before the first") << 0.0 << Index(0);
        QTest::newRow("nearer the second") << 1'600.0 << Index(1);
        QTest::newRow("a tie goes to the older") << 1'500.0 << Index(0);
        QTest::newRow("after the last") << 9'000.0 << Index(2);
    }
    void nearestSample()
    {
        QFETCH(double, time);
        QFETCH(Index, index);
        const QList<SystemSample> history { at(1'000), at(2'000), at(3'000) };
        QCOMPARE(MetricGraph::nearestSample(history, time), index);
        QVERIFY(!MetricGraph::nearestSample({}, time));
    }

    void formatted()
    {
        QCOMPARE(MetricDetail::cpu().formatted(12.34), QStringLiteral("12.3%"));
        QCOMPARE(MetricDetail::cpu().formatted(std::nullopt), QStringLiteral("\u2014"));
        QCOMPARE(MetricDetail::cpu().formatted(std::nan("")), QStringLiteral("\u2014"));
        QCOMPARE(MetricDetail::disk().formatted(-5), QStringLiteral("0 bytes/s"));
        QCOMPARE(MetricDetail::disk().formatted(1'500'000), QStringLiteral("1.5 MB/s"));
        QCOMPARE(MetricDetail::memory().formattedUsage(-1), QStringLiteral("0 bytes"));
        QCOMPARE(MetricDetail::memory().formattedUsage(1e30), QStringLiteral("8 EB"));
        QCOMPARE(MetricDetail::cpu().formattedUsage(140), QStringLiteral("140.0%"));
        QCOMPARE(MetricDetail::network().formattedUsage(2'000), QStringLiteral("2 KB/s"));
    }

    void valueIsPrimaryPlusSecondary()
    {
        QCOMPARE(MetricDetail::disk().value(at(0, 100, 20)), std::optional(120.0));
        QCOMPARE(MetricDetail::disk().value(at(0, 100)), std::optional(100.0));
        QVERIFY(!MetricDetail::disk().value(at(0, {}, 20)));
    }

    void panel_data()
    {
        QTest::addColumn<bool>("recorded");
        QTest::addColumn<bool>("networkMeasured");
        QTest::addColumn<QString>("memory");
        QTest::addColumn<QString>("network");
        QTest::newRow("recorded, nothing used") << true << true << "Nothing was using memory at this moment."
                                                << "Nothing was using network at this moment.";
        QTest::newRow("hidden at the time") << false << false << "App details are recorded while Task Manager is open."
                                            << "App details are recorded while Task Manager is open.";
        QTest::newRow("network cannot be measured") << true << false << "Nothing was using memory at this moment."
                                                    << "Network use per app cannot be measured on this computer.";
    }
    void panel()
    {
        QFETCH(bool, recorded);
        QFETCH(bool, networkMeasured);
        QFETCH(QString, memory);
        QFETCH(QString, network);
        SystemSample sample = at(1'000);
        sample.top.isAvailable = recorded;
        sample.processNetworkAvailable = networkMeasured;
        QCOMPARE(MetricDetailSnapshot::make(MetricDetail::memory(), { sample }, {}, 0).emptyPanelText, memory);
        QCOMPARE(MetricDetailSnapshot::make(MetricDetail::network(), { sample }, {}, 0).emptyPanelText, network);
    }

    void snapshotFollowsThePointerOrTheNewest()
    {
        SystemSample first = at(1'000, 600);
        first.top = TopConsumers { {}, {}, { AppUsage { "mds", {}, {}, 600 } }, {}, true };
        const QList<SystemSample> history { first, at(2'000), at(3'000, 400, 100) };

        const auto live = MetricDetailSnapshot::make(MetricDetail::disk(), history, {}, 0);
        QCOMPARE(live.selected, Index(2));
        QCOMPARE(live.readout, QStringLiteral("500 bytes/s"));
        QCOMPARE(live.windowEnd, 3'000);
        QCOMPARE(live.scaleTop, 1024.0);

        const auto hovered = MetricDetailSnapshot::make(MetricDetail::disk(), history, 1'200.0, 0);
        QCOMPARE(hovered.selected, Index(0));
        QCOMPARE(hovered.topApps, first.top.disk);
        QVERIFY(hovered.emptyPanelText.isEmpty());

        // A sample without a value reads "—" but still has its time.
        const auto gap = MetricDetailSnapshot::make(MetricDetail::disk(), history, 2'000.0, 0);
        QCOMPARE(gap.readout, QStringLiteral("\u2014"));
        QVERIFY(gap.readoutTime);

        const auto empty = MetricDetailSnapshot::make(MetricDetail::cpu(), {}, std::nullopt, 77'000);
        QVERIFY(!empty.selected && !empty.readoutTime);
        QCOMPARE(empty.readout, QStringLiteral("\u2014"));
        QCOMPARE(empty.windowEnd, 77'000);
        QCOMPARE(empty.scaleTop, 100.0);
    }

    void panelSizesAndTooltips()
    {
        QCOMPARE(MetricDetailSnapshot::width(MetricDetail::network()), 830);
        MetricDetail bare = MetricDetail::network();
        bare.consumers = nullptr;
        QCOMPARE(MetricDetailSnapshot::width(bare), 740);
        QCOMPARE(MetricDetailSnapshot::hint(bare), QStringLiteral("Move over the graph to see the time and usage."));
        QCOMPARE(MetricDetailSnapshot::tooltip(AppUsage { "Mail", {}, {}, 1 }), QStringLiteral("Mail"));
        QCOMPARE(MetricDetailSnapshot::tooltip(AppUsage { "Mail", "Mail + 2 more", {}, 1 }),
            QStringLiteral("Mail \u2014 Mail + 2 more"));
    }

    void cards()
    {
        SystemSample sample = at(1'000, 1'000, 500);
        sample.memoryUsed = 512 * 1024 * 1024;
        sample.memory = 25;
        sample.upload = 2'000;
        const QList<MetricCard> cards = MetricCard::build(sample, { sample }, 2048ull * 1024 * 1024);
        QCOMPARE(cards.size(), 4);
        QCOMPARE(cards[0].value, QStringLiteral("\u2014"));
        QCOMPARE(cards[0].detail, QStringLiteral("Of your Mac\u2019s total capacity"));
        QCOMPARE(cards[1].value, QStringLiteral("25.0%"));
        QCOMPARE(cards[1].detail, QStringLiteral("512 MB / 2 GB"));
        QCOMPARE(cards[2].value, QStringLiteral("2 KB/s"));
        QCOMPARE(cards[2].detail, QStringLiteral("R 1 KB/s  W 500 bytes/s"));
        // Without a download there is no network value, whatever the upload.
        QCOMPARE(cards[3].value, QStringLiteral("\u2014"));
        QCOMPARE(cards[3].detail, QStringLiteral("\u2193 \u2014  \u2191 2 KB/s"));
        QCOMPARE(cards[2].series, (Values { 1'500 }));
        QCOMPARE(cards[2].sparklineTop, 1'725.0);
    }

    void timeAxis()
    {
        QCOMPARE(MetricGraph::timeTicks(120'000), (QList<qint64> { 60'000, 75'000, 90'000, 105'000, 120'000 }));
        QCOMPARE(MetricGraph::timeTicks(130'000), (QList<qint64> { 75'000, 90'000, 105'000, 120'000 }));
        QCOMPARE(MetricGraph::valueTicks(100), (QList<double> { 0, 25, 50, 75, 100 }));
        QCOMPARE(MetricGraph::valueTicks(1024), (QList<double> { 0, 250, 500, 750, 1000 }));
        QVERIFY(MetricGraph::valueTicks(0).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestMetricGraph)
#include "tst_metricgraph.moc"
