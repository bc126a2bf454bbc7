#include "platform/sim/simrequestlog.h"

#include <QTest>

using namespace Velmora::Sim;

class TestSimRequestLog : public QObject
{
    Q_OBJECT
private slots:
    // A long session keeps the recent past within the budget, oldest out first.
    void theLogStaysWithinItsByteBudget()
    {
        SimRequestLog log;
        const SimRequest sample{0, "copyAttributeValue", 400, "AXTitle", QVariantMap{{"window", 1000}}, 0};
        const qsizetype each = SimRequestLog::sizeOf(sample);
        log.setByteBudget(100 * each);
        for (int i = 0; i < 1000; ++i) {
            SimRequest request = sample;
            request.atMs = i;
            log.append(request);
            QVERIFY(log.bytes() <= log.byteBudget());
        }
        QVERIFY(log.requests().size() >= 80);
        QCOMPARE(log.requests().last().atMs, 999);
        QCOMPARE(log.requests().first().atMs, 1000 - log.requests().size());

        // A budget lowered later applies at once.
        log.setByteBudget(10 * each);
        QVERIFY(log.requests().size() <= 10);
        QCOMPARE(log.requests().last().atMs, 999);
    }

    void aLogThatIsOffKeepsNothing()
    {
        SimRequestLog log;
        log.append({1, "activate", 400, {}, {}, 0});
        log.setEnabled(false);
        QVERIFY(log.requests().isEmpty());
        log.append({2, "activate", 400, {}, {}, 0});
        QVERIFY(log.requests().isEmpty());
        QCOMPARE(log.bytes(), 0);
    }
};

QTEST_GUILESS_MAIN(TestSimRequestLog)
#include "tst_simrequestlog.moc"
