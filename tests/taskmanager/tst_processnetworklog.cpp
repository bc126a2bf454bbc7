#include "taskmanager/sampling/processnetworklog.h"

#include <QRegularExpression>
#include <QTest>

#include <limits>

using Velmora::ProcessNetworkLog;
using Rates = QHash<qint32, double>;

namespace {

// Feeds one run of the tool: a first, incomplete block (always dropped), then
// a block with `rows` that ends at t = 2 and is committed by the next header.
Rates oneBlock(ProcessNetworkLog &log, const QByteArray &rows)
{
    log.beginRun();
    log.consume(",header\n", 1.0);
    log.consume(",header\n", 2.0);
    log.consume(rows, 2.1);
    log.consume(",header\n", 3.0);
    return log.rates(1.0, 2.0, 3.0);
}

} // namespace

class TestProcessNetworkLog : public QObject
{
    Q_OBJECT
private slots:
    void parsesRows_data()
    {
        QTest::addColumn<QByteArray>("rows");
        QTest::addColumn<Rates>("expected");
        QTest::addColumn<QString>("name");

        QTest::newRow("name with a space")
            << QByteArray("Web Worker.812,1500,300,\n") << Rates { { 812, 1800 } } << "Web Worker";
        QTest::newRow("name with a comma") << QByteArray("a,b.77,10,20,\n") << Rates { { 77, 30 } } << "a,b";
        QTest::newRow("name with dots") << QByteArray("com.example.app.45,1,1,\n") << Rates { { 45, 2 } }
                                        << "com.example.app";
        QTest::newRow("empty name") << QByteArray(".12,4,4,\n") << Rates { { 12, 8 } } << "";
        QTest::newRow("CRLF line end") << QByteArray("tool.12,1,2,\r\n") << Rates { { 12, 3 } } << "tool";
        QTest::newRow("rows of one process add up") << QByteArray("t.3,1,0,\nt.3,0,2,\n") << Rates { { 3, 3 } } << "t";
        // Counters near the top of the range add up to the largest rate, not to infinity.
        QTest::newRow("counters that would add up past the range")
            << QByteArray("big.5,1.5e308,1.5e308,\nbig.5,1e308,0,\n")
            << Rates { { 5, std::numeric_limits<double>::max() } } << "big";
        QTest::newRow("no dot") << QByteArray("nodot,1,2,\n") << Rates {} << QString();
        QTest::newRow("pid not a number") << QByteArray("name.abc,1,2,\n") << Rates {} << QString();
        QTest::newRow("pid out of range") << QByteArray("name.99999999999,1,2,\n") << Rates {} << QString();
        QTest::newRow("three fields") << QByteArray("name.12,1,\n") << Rates {} << QString();
        QTest::newRow("counter not a number") << QByteArray("name.12,x,2,\n") << Rates {} << QString();
        QTest::newRow("negative counter") << QByteArray("name.12,-5,2,\n") << Rates {} << QString();
        // A name that carries a line break spells out a row of its own; the
        // halves and anything with control characters are dropped.
        QTest::newRow("control character in name") << QByteArray("evil\x1b[2Jname.12,5,5,\n") << Rates {} << QString();
        QTest::newRow("carriage return inside a name") << QByteArray("a\rb.12,5,5,\n") << Rates {} << QString();
    }

    void parsesRows()
    {
        QFETCH(QByteArray, rows);
        QFETCH(Rates, expected);
        QFETCH(QString, name);
        ProcessNetworkLog log;
        QCOMPARE(oneBlock(log, rows), expected);
        if (!expected.isEmpty())
            QCOMPARE(log.name(expected.keys().first(), 3.0), std::optional(name));
    }

    // A line is not kept growing until its end arrives: past the bound it is
    // dropped, with a word in the log, and the next line reads as usual.
    void overLongLinesAreDroppedAndLogged()
    {
        ProcessNetworkLog log;
        log.consume(",\n", 1.0);
        log.consume(",\n", 2.0);
        const QRegularExpression dropped("Dropped a line of more than 65536 bytes");
        QTest::ignoreMessage(QtWarningMsg, dropped);
        log.consume(QByteArray(ProcessNetworkLog::maxLineBytes, 'x') + ".7,5,5,\n", 2.1);
        // The tool's output arrives in small pieces.
        QTest::ignoreMessage(QtWarningMsg, dropped);
        for (int i = 0; i < 40; ++i)
            log.consume(QByteArray(4096, 'y'), 2.2);
        log.consume(".8,5,5,\nok.9,1,2,\n", 2.3);
        log.consume(",\n", 3.0);
        QCOMPARE(log.rates(1.0, 2.0, 3.0), (Rates { { 9, 3 } }));
    }

    void firstBlockOfEachRunIsDropped()
    {
        ProcessNetworkLog log;
        log.consume(",\n", 0.0);
        log.consume("early.1,100,0,\n", 0.5);
        log.consume(",\n", 1.0);
        log.consume("late.2,40,0,\n,\n", 1.5);
        QCOMPARE(log.rates(0.0, 1.0, 2.0), (Rates { { 2, 40 } }));

        // A relaunch starts over: its first block is incomplete again.
        log.beginRun();
        log.consume(",\nagain.3,7,0,\n,\n", 2.0);
        QCOMPARE(log.rates(1.0, 2.0, 3.0), Rates {});
        QCOMPARE(log.headerCount(), 2);
    }

    void lineSplitAcrossReadsIsParsedOnce()
    {
        ProcessNetworkLog log;
        log.consume(",\n,\nspl", 1.0);
        log.consume("it.2,4", 1.05);
        QCOMPARE(log.rates(0.0, 1.0, 1.5), Rates {}); // a quiet, unfinished line is not a row
        log.consume("0,0,\n", 1.6);
        QCOMPARE(log.rates(0.0, 1.0, 1.7), Rates {}); // not quiet long enough yet
        QCOMPARE(log.rates(0.0, 1.0, 1.75), (Rates { { 2, 40 } }));
        QCOMPARE(log.name(2, 1.75), std::optional<QString>("split"));
    }

    void windowTakesItsShareOfEachBlock()
    {
        ProcessNetworkLog log;
        log.consume(",\n", 10.0);
        log.consume(",\n", 11.0);
        log.consume("a.1,1000,0,\n", 11.1);
        log.consume(",\n", 12.0);
        log.consume("a.1,3000,0,\n,\n", 12.1);
        QCOMPARE(log.rates(10.5, 11.5, 13.0), (Rates { { 1, 2000 } }));
        QCOMPARE(log.rates(10.0, 12.0, 13.0), (Rates { { 1, 2000 } }));
        QCOMPARE(log.rates(11.5, 11.5, 13.0), Rates {});
        QCOMPARE(log.rates(12.0, 11.0, 13.0), Rates {});
    }

    void keepsTheLastFiveBlocks()
    {
        ProcessNetworkLog log;
        log.consume(",\n", 0.0);
        for (int second = 1; second <= 8; ++second)
            log.consume(",\na.1,100,0,\n", double(second));
        log.consume(",\n", 9.0);
        QCOMPARE(log.rates(0.0, 9.0, 9.0), (Rates { { 1, 5 * 100 / 9.0 } }));
    }

    void clearDropsTheBlockUnderWayToo()
    {
        ProcessNetworkLog log;
        log.consume(",\n,\na.1,100,0,\n,\nb.2,50,0,\n", 1.0);
        log.clear();
        // Neither the quiet period nor a later header may bring b back.
        QCOMPARE(log.rates(0.0, 5.0, 5.0), Rates {});
        log.consume(",\n", 6.0);
        QCOMPARE(log.rates(0.0, 6.0, 6.0), Rates {});
        QVERIFY(!log.name(1, 6.0));
    }
};

QTEST_GUILESS_MAIN(TestProcessNetworkLog)
#include "tst_processnetworklog.moc"
