#include "support/desktopworld.h"

#include "platform/axnames.h"

#include <QTest>

using namespace Velmora;
using namespace Velmora::Sim;
using Velmora::Test::DesktopWorld;

namespace {

// Alpha's windows a1 to a4 lie behind Beta's window "cover", which covers
// them all; Beta is frontmost.
struct CoveredWorld : DesktopWorld {
    qint32 alpha = 0, beta = 0;
    QMap<quint32, QString> names;

    CoveredWorld()
    {
        alpha = addApp("Alpha");
        beta = addApp("Beta");
        for (const QString name : {"a4", "a3", "a2", "a1"})
            names.insert(addWindow(alpha, QRectF(100, 100, 600, 400), name), name);
        names.insert(addWindow(beta, QRectF(50, 50, 900, 700), "cover"), "cover");
        desktop.makeFrontmost(beta);
        clock.runPending();
        desktop.clearRequests();
    }

    quint32 number(const QString &name) const { return names.key(name); }

    QStringList stack() const
    {
        QStringList result;
        for (quint32 n : listed(WindowList::OnScreenExceptDesktop))
            result.append(names.value(n));
        return result;
    }
};

} // namespace

class TestSimActivation : public QObject
{
    Q_OBJECT
private slots:
    // The main window comes forward with the activation; its siblings rise
    // later, two at a time: a guard that looks once right after the
    // activation sees them still covered.
    void siblingsRiseLateAndInBursts_data()
    {
        QTest::addColumn<qint64>("delayMs");
        QTest::addColumn<QString>("meanwhile");
        QTest::addColumn<QStringList>("atOnce");
        QTest::addColumn<QStringList>("after40ms");
        QTest::addColumn<QStringList>("after60ms");
        const QStringList all{"a1", "a2", "a3", "a4", "cover"};
        QTest::newRow("as the desktop does")
            << qint64(40) << "" << QStringList{"a1", "cover", "a2", "a3", "a4"}
            << QStringList{"a1", "a2", "a3", "cover", "a4"} << all;
        QTest::newRow("all together (behaviour off)") << qint64(0) << "" << all << all << all;
        // A window raised over the main window since stays over the siblings that follow.
        QTest::newRow("a cover raised again in between")
            << qint64(40) << "raise cover" << QStringList{"cover", "a1", "a2", "a3", "a4"}
            << QStringList{"cover", "a1", "a2", "a3", "a4"} << QStringList{"cover", "a1", "a2", "a3", "a4"};
        QTest::newRow("another application activated in between")
            << qint64(40) << "activate beta" << QStringList{"cover", "a1", "a2", "a3", "a4"}
            << QStringList{"cover", "a1", "a2", "a3", "a4"} << QStringList{"cover", "a1", "a2", "a3", "a4"};
    }
    void siblingsRiseLateAndInBursts()
    {
        QFETCH(qint64, delayMs);
        QFETCH(QString, meanwhile);
        QFETCH(QStringList, atOnce);
        QFETCH(QStringList, after40ms);
        QFETCH(QStringList, after60ms);
        CoveredWorld world;
        SimKnobs knobs = world.desktop.knobs();
        knobs.activationRaiseDelayMs = delayMs;
        world.desktop.setKnobs(knobs);

        QVERIFY(world.workspace.activate(world.alpha, 0));
        if (meanwhile == "raise cover")
            world.desktop.raiseWindow(world.number("cover"));
        else if (meanwhile == "activate beta")
            world.desktop.activate(world.beta);
        world.clock.runPending();
        QCOMPARE(world.stack(), atOnce);
        world.clock.advance(40);
        QCOMPARE(world.stack(), after40ms);
        world.clock.advance(20);
        QCOMPARE(world.stack(), after60ms);
    }

    // The private front-process call names the window; the two event records
    // after it decide whether that window becomes key and comes forward.
    void theEventRecordsDecideWhatTheFrontCallDoes_data()
    {
        QTest::addColumn<QString>("records");
        QTest::addColumn<bool>("needsRecords");
        QTest::addColumn<bool>("focused");
        QTest::newRow("first and second record") << "1,2" << true << true;
        QTest::newRow("no records") << "" << true << false;
        QTest::newRow("only the first") << "1" << true << false;
        QTest::newRow("second before first") << "2,1" << true << false;
        QTest::newRow("a record for another window") << "1,2:other" << true << false;
        QTest::newRow("a byte out of place") << "1,2:spoiled" << true << false;
        QTest::newRow("records to another process") << "1,2:beta" << true << false;
        QTest::newRow("the call alone (behaviour off)") << "" << false << true;
    }
    void theEventRecordsDecideWhatTheFrontCallDoes()
    {
        QFETCH(QString, records);
        QFETCH(bool, needsRecords);
        QFETCH(bool, focused);
        CoveredWorld world;
        SimKnobs knobs = world.desktop.knobs();
        knobs.frontCallNeedsEventRecords = needsRecords;
        world.desktop.setKnobs(knobs);
        const quint32 a3 = world.number("a3");
        ProcessSerialNumber psn;
        QCOMPARE(world.privateFunctions.getProcessForPID()(world.alpha, &psn), 0);
        ProcessSerialNumber betaPsn;
        QCOMPARE(world.privateFunctions.getProcessForPID()(world.beta, &betaPsn), 0);
        const auto post = world.privateFunctions.slpsPostEventRecordTo(PrivateFunctions::SLPSPostEventRecordToName);

        QCOMPARE(world.privateFunctions.slpsSetFrontProcessWithOptions()(psn, a3, 0x200), 0);
        QList<QByteArray> sent;
        const QString how = records.section(':', 1);
        for (const QString &kind : records.section(':', 0, 0).split(',', Qt::SkipEmptyParts)) {
            QByteArray record = Test::eventRecord(kind.toInt(), how == "other" ? world.number("a1") : a3);
            if (how == "spoiled")
                record[100] = 1;
            QCOMPARE(post(how == "beta" ? betaPsn : psn, record), 0);
            sent.append(record);
        }
        world.clock.advance(1000);

        // The process is frontmost either way; the window only with the records.
        QCOMPARE(world.desktop.frontmostPid(), world.alpha);
        QCOMPARE(world.stack().first() == "a3", focused);
        QCOMPARE(world.desktop.focusedWindow(world.alpha) == a3, focused);
        // The log keeps each record byte for byte.
        QList<QByteArray> logged;
        for (const SimRequest &request : world.desktop.requests(PrivateFunctions::SLPSPostEventRecordToName))
            logged.append(request.detail.toMap().value("record").toByteArray());
        QCOMPARE(logged, sent);
    }
};

QTEST_GUILESS_MAIN(TestSimActivation)
#include "tst_simactivation.moc"
