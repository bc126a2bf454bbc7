#include "app/launchatlogin.h"
#include "platform/sim/scriptedloginitemservice.h"

#include <QSignalSpy>
#include <QTest>

using namespace Velmora;
using Status = LoginItemService::Status;

// The published registration follows what the system holds after each
// change, carries the failure of the last change only until the next one
// succeeds, and announces nothing that did not change.
class TestLaunchAtLogin : public QObject
{
    Q_OBJECT
private slots:
    void mapsTheStatus_data()
    {
        QTest::addColumn<Status>("status");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("needsApproval");
        QTest::newRow("enabled") << Status::Enabled << true << false;
        QTest::newRow("requires approval") << Status::RequiresApproval << false << true;
        QTest::newRow("not registered") << Status::NotRegistered << false << false;
        QTest::newRow("not found") << Status::NotFound << false << false;
    }
    void mapsTheStatus()
    {
        QFETCH(Status, status);
        QFETCH(bool, enabled);
        QFETCH(bool, needsApproval);
        Sim::ScriptedLoginItemService service;
        service.setStatus(status);
        // Read at creation, without being asked.
        LaunchAtLogin login(service);
        QCOMPARE(login.isEnabled(), enabled);
        QCOMPARE(login.needsApproval(), needsApproval);
        QVERIFY(login.lastError().isEmpty());
    }

    void enablingThatNeedsApprovalShowsItWithoutAnError()
    {
        Sim::ScriptedLoginItemService service;
        service.setStatusAfterRegistering(Status::RequiresApproval);
        LaunchAtLogin login(service);
        QSignalSpy enabled(&login, &LaunchAtLogin::isEnabledChanged);
        QSignalSpy approval(&login, &LaunchAtLogin::needsApprovalChanged);
        QSignalSpy error(&login, &LaunchAtLogin::lastErrorChanged);

        login.setEnabled(true);
        QVERIFY(!login.isEnabled());
        QVERIFY(login.needsApproval());
        QVERIFY(login.lastError().isEmpty());
        QCOMPARE(enabled.count(), 0);
        QCOMPARE(approval.count(), 1);
        QCOMPARE(error.count(), 0);
    }

    void aFailedChangeKeepsTheStateUntilOneSucceeds()
    {
        Sim::ScriptedLoginItemService service;
        service.setStatus(Status::Enabled);
        LaunchAtLogin login(service);
        QSignalSpy error(&login, &LaunchAtLogin::lastErrorChanged);

        service.failNextChange("Operation not permitted");
        login.setEnabled(false);
        QVERIFY(login.isEnabled());
        QCOMPARE(login.lastError(), QString("Operation not permitted"));

        // A failure without a message still shows as one.
        service.failNextChange(QString());
        login.setEnabled(false);
        QVERIFY(!login.lastError().isEmpty());

        login.setEnabled(false);
        QVERIFY(!login.isEnabled());
        QVERIFY(login.lastError().isEmpty());
        QCOMPARE(error.count(), 3);
    }

    void refreshingPublishesOnlyChanges()
    {
        Sim::ScriptedLoginItemService service;
        LaunchAtLogin login(service);
        QSignalSpy enabled(&login, &LaunchAtLogin::isEnabledChanged);
        QSignalSpy approval(&login, &LaunchAtLogin::needsApprovalChanged);

        login.refresh();
        login.refresh();
        QCOMPARE(enabled.count() + approval.count(), 0);

        // Changed outside the application, as in the system's settings.
        service.setStatus(Status::Enabled);
        login.refresh();
        login.refresh();
        QCOMPARE(enabled.count(), 1);
        QCOMPARE(enabled.first().first().toBool(), true);
        QCOMPARE(approval.count(), 0);
    }
};

QTEST_GUILESS_MAIN(TestLaunchAtLogin)
#include "tst_launchatlogin.moc"
