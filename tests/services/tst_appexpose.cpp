#include "services/appexpose.h"

#include "../support/desktopworld.h"

#include <QtTest>

using namespace Velmora;
using namespace Velmora::Sim;
using namespace Velmora::Test;

namespace {

struct ExposeWorld : InterleavedWorld
{
    AppExpose expose { privateFunctions, clock };

    QList<QByteArray> postedRecords() const
    {
        QList<QByteArray> records;
        for (const QString &name :
            { QString(PrivateFunctions::SLPSPostEventRecordToName),
                QString(PrivateFunctions::SLPSPostEventRecordToAlternateName) }) {
            for (const SimRequest &request : desktop.requests(name))
                records.append(request.detail.toMap().value(QStringLiteral("record")).toByteArray());
        }
        return records;
    }
    QVariantMap lastFrontCall() const
    {
        const QList<SimRequest> calls = desktop.requests(PrivateFunctions::SLPSSetFrontProcessWithOptionsName);
        return calls.isEmpty() ? QVariantMap() : calls.last().detail.toMap();
    }
};

} // namespace

class TestAppExpose : public QObject
{
    Q_OBJECT

private slots:
    void eventRecordIsByteExact()
    {
        const QByteArray record = AppExpose::eventRecord(0x01020304, 2);
        QCOMPARE(record, eventRecord(2, 0x01020304));
        QCOMPARE(record.size(), 248);
    }

    // Focusing one window brings it alone forward: the front-process call,
    // then two records identical but for the kind byte.
    void focusBringsOneWindowForward()
    {
        ExposeWorld world;
        QVERIFY(world.expose.focus(world.a2, world.app(world.alpha)));
        world.clock.runPending();

        QCOMPARE(world.postedRecords(), (QList<QByteArray> { eventRecord(1, world.a2), eventRecord(2, world.a2) }));
        QCOMPARE(world.lastFrontCall().value("options").toUInt(), AppExpose::focusWindowOptions);
        QCOMPARE(world.lastFrontCall().value("window").toUInt(), world.a2);
        // a2 alone came forward; a1 stayed behind b1 and a2 did not drag it up.
        QCOMPARE(world.stackAndFrontmost(), (QStringList { "a2", "b1", "a1", "b2", "alpha" }));
    }

    void focusUsesTheOtherPosterName()
    {
        ExposeWorld world;
        world.desktop.setPrivateFunctionAvailable(PrivateFunctions::SLPSPostEventRecordToName, false);
        QVERIFY(world.expose.focus(world.a2, world.app(world.alpha)));
        QCOMPARE(world.desktop.requests(PrivateFunctions::SLPSPostEventRecordToAlternateName).size(), 2);
        QCOMPARE(world.stackAndFrontmost().first(), QStringLiteral("a2"));
    }

    void missingFunctionsFailEveryOperation_data()
    {
        QTest::addColumn<QStringList>("missing");
        QTest::addColumn<bool>("showWorks");
        QTest::newRow("GetProcessForPID") << QStringList { PrivateFunctions::GetProcessForPIDName } << false;
        QTest::newRow("_SLPSSetFrontProcessWithOptions")
            << QStringList { PrivateFunctions::SLPSSetFrontProcessWithOptionsName } << false;
        QTest::newRow("CoreDockSendNotification")
            << QStringList { PrivateFunctions::CoreDockSendNotificationName } << false;
        // Without either record poster only focusing fails.
        QTest::newRow("both posters")
            << QStringList { PrivateFunctions::SLPSPostEventRecordToName,
                   PrivateFunctions::SLPSPostEventRecordToAlternateName }
            << true;
    }

    void missingFunctionsFailEveryOperation()
    {
        QFETCH(QStringList, missing);
        QFETCH(bool, showWorks);
        ExposeWorld world;
        for (const QString &name : missing)
            world.desktop.setPrivateFunctionAvailable(name, false);
        const QStringList before = world.stackAndFrontmost();

        QVERIFY(!world.expose.focus(world.a2, world.app(world.alpha)));
        QVERIFY(world.postedRecords().isEmpty());
        QCOMPARE(world.stackAndFrontmost(), before);

        world.expose.makeFrontmost(world.app(world.alpha));
        QCOMPARE(world.desktop.frontmostPid() == world.alpha, showWorks);
        QCOMPARE(world.expose.show(world.app(world.alpha)), showWorks);
        // Nothing but the front-process calls of makeFrontmost and show: no window moved.
        QCOMPARE(world.listed(WindowList::OnScreenExceptDesktop).first(), world.b1);
    }

    void failedFrontCallPostsNoRecord_data()
    {
        QTest::addColumn<QString>("failing");
        QTest::newRow("serial number") << QString(PrivateFunctions::GetProcessForPIDName);
        QTest::newRow("front process") << QString(PrivateFunctions::SLPSSetFrontProcessWithOptionsName);
    }

    void failedFrontCallPostsNoRecord()
    {
        QFETCH(QString, failing);
        ExposeWorld world;
        world.desktop.injectFailure(SimFailure::on(SimOperations::CallPrivateFunction, failing).withStatus(-50));
        QVERIFY(!world.expose.focus(world.a2, world.app(world.alpha)));
        QVERIFY(world.postedRecords().isEmpty());
        QVERIFY(!world.expose.show(world.app(world.alpha)));
        QVERIFY(world.desktop.requests(PrivateFunctions::CoreDockSendNotificationName).isEmpty());
    }

    // Activation moves, no window does.
    void makeFrontmostRaisesNothing()
    {
        ExposeWorld world;
        world.expose.makeFrontmost(world.app(world.alpha));
        world.clock.advance(500);
        QCOMPARE(world.stackAndFrontmost(), (QStringList { "b1", "a1", "b2", "a2", "alpha" }));
        QCOMPARE(world.lastFrontCall().value("window").toUInt(), 0u);
        QCOMPARE(world.lastFrontCall().value("options").toUInt(), AppExpose::frontProcessOptions);
    }

    void showAsksTheDockAMomentLater()
    {
        ExposeWorld world;
        QVERIFY(world.expose.show(world.app(world.alpha)));
        QCOMPARE(world.desktop.frontmostPid(), world.alpha);
        const QString notify = PrivateFunctions::CoreDockSendNotificationName;
        world.clock.advance(AppExpose::showNotificationDelayMs - 1);
        QVERIFY(world.desktop.requests(notify).isEmpty());
        world.clock.advance(1);
        const QList<SimRequest> sent = world.desktop.requests(notify);
        QCOMPARE(sent.size(), 1);
        QCOMPARE(sent.first().detail.toMap().value("notification").toString(),
            QStringLiteral("com.apple.expose.front.awake"));
        QCOMPARE(sent.first().detail.toMap().value("argument").toInt(), 0);
    }
};

QTEST_GUILESS_MAIN(TestAppExpose)
#include "tst_appexpose.moc"
