#include "platform/sim/simoperations.h"
#include "store/permissions.h"
#include "storeworld.h"

#include <QTest>

using namespace Velmora;

namespace {

QStringList openedUrls(const Test::StoreWorld &world)
{
    QStringList urls;
    for (const Sim::SimRequest &request : world.desktop.requests(Sim::SimOperations::OpenUrl))
        urls << request.detail.toUrl().toString();
    return urls;
}

const QString screenRecordingPane = "x-apple.systempreferences:com.apple.preference.security?Privacy_ScreenCapture";
const QString accessibilityPane = "x-apple.systempreferences:com.apple.preference.security?Privacy_Accessibility";

} // namespace

class TestPermissions : public QObject
{
    Q_OBJECT
private slots:
    void firstRequestIsTakenOncePerPermission()
    {
        Test::StoreWorld world;
        const auto store = world.make(false);
        Permissions &permissions = store->permissions();
        QVERIFY(permissions.takeFirstPermissionRequest(AppPermission::screenRecording));
        QCOMPARE(world.defaults.boolValue("PermissionPromptShown.screenRecording"), std::optional<bool>(true));
        QVERIFY(!permissions.takeFirstPermissionRequest(AppPermission::screenRecording));
        QVERIFY(permissions.takeFirstPermissionRequest(AppPermission::accessibility));
        // It holds across runs: another store on the same defaults.
        const auto later = world.make(false);
        QVERIFY(!later->permissions().takeFirstPermissionRequest(AppPermission::accessibility));
    }

    void screenRecordingRefusedTwiceOpensThePane()
    {
        Test::StoreWorld world;
        world.capture.granted = false;
        const auto store = world.make(false);
        Permissions &permissions = store->permissions();
        permissions.requestScreenCapturePermission();
        QCOMPARE(world.capture.requests, 1);
        QVERIFY(openedUrls(world).isEmpty());
        QVERIFY(permissions.hasRequestedScreenCapture());
        permissions.requestScreenCapturePermission();
        QCOMPARE(openedUrls(world), QStringList({ screenRecordingPane }));
    }

    void grantedWhileAPickerIsOpenLoadsItsImages()
    {
        Test::StoreWorld world;
        world.capture.granted = false;
        world.capture.grantsOnRequest = true;
        world.addAppWithTwoWindows("Editor");
        const auto store = world.make(false);
        QVERIFY(store->windowPicker().prepareWindowPicker(Test::StoreWorld::appItem("Editor"), 1));
        QVERIFY(world.capture.captures.isEmpty());
        store->permissions().requestScreenCapturePermission();
        QVERIFY(store->permissions().hasScreenCapturePermission());
        QCOMPARE(world.capture.captures.size(), 1);
    }

    void accessibilityPromptOnceThenThePane()
    {
        Test::StoreWorld world;
        world.desktop.setAccessibilityTrusted(false);
        const auto store = world.make(false);
        const auto prompts = [&] {
            int shown = 0;
            for (const Sim::SimRequest &request : world.desktop.requests(Sim::SimOperations::IsProcessTrusted))
                shown += request.name == "prompt" ? 1 : 0;
            return shown;
        };
        store->permissions().askForPermission(AppPermission::accessibility);
        QCOMPARE(prompts(), 1);
        QVERIFY(openedUrls(world).isEmpty());
        store->permissions().askForPermission(AppPermission::accessibility);
        QCOMPARE(prompts(), 1);
        QCOMPARE(openedUrls(world), QStringList({ accessibilityPane }));
    }

    // Whether a refresh probes screen recording with a real request.
    void probeRule_data()
    {
        QTest::addColumn<bool>("granted");
        QTest::addColumn<bool>("askedBefore");
        QTest::addColumn<bool>("onboardingOpen");
        QTest::addColumn<bool>("probes");
        QTest::newRow("never asked, refused: no probe") << false << false << false << false;
        QTest::newRow("asked, refused: probe") << false << true << false << true;
        QTest::newRow("granted: no probe") << true << false << false << false;
        QTest::newRow("granted, onboarding open: probe") << true << false << true << true;
    }
    void probeRule()
    {
        QFETCH(bool, granted);
        QFETCH(bool, askedBefore);
        QFETCH(bool, onboardingOpen);
        QFETCH(bool, probes);
        Test::StoreWorld world;
        world.capture.granted = granted;
        const auto store = world.make(false);
        store->setOnboardingOpen(onboardingOpen);
        if (askedBefore)
            store->permissions().requestScreenCapturePermission();
        store->permissions().refreshPermissions();
        QCOMPARE(world.capture.probes.size(), probes ? 1 : 0);
    }

    void olderProbeNeverOverwritesANewerOne()
    {
        Test::StoreWorld world;
        world.capture.granted = false;
        const auto store = world.make(false);
        Permissions &permissions = store->permissions();
        permissions.requestScreenCapturePermission();
        permissions.refreshPermissions();
        permissions.refreshPermissions();
        QCOMPARE(world.capture.probes.size(), 2);

        // The user granted it between the two probes: the newer one knows.
        world.capture.answerProbe(1, true);
        QVERIFY(permissions.hasScreenCapturePermission());
        world.capture.answerProbe(0, false);
        QVERIFY(permissions.hasScreenCapturePermission());
    }

    void accessibilityTrustIsReread()
    {
        Test::StoreWorld world;
        world.desktop.setAccessibilityTrusted(false);
        const auto store = world.make(false);
        QVERIFY(!store->permissions().isAccessibilityTrusted());
        world.desktop.setAccessibilityTrusted(true);
        store->permissions().refreshPermissions();
        QVERIFY(store->permissions().isAccessibilityTrusted());
    }
};

QTEST_GUILESS_MAIN(TestPermissions)
#include "tst_permissions.moc"
