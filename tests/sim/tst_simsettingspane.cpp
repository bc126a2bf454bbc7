#include "support/desktopworld.h"

#include <QTest>

using namespace Velmora;
using namespace Velmora::Sim;
using Velmora::Test::InterleavedWorld;

class TestSimSettingsPane : public QObject
{
    Q_OBJECT
private slots:
    // Screen recording granted while the product runs: captures work at once,
    // the product's own check says so only after it restarts.
    void screenRecordingTakesEffectAfterARestart_data()
    {
        QTest::addColumn<bool>("afterRestart");
        QTest::newRow("as the desktop does") << true;
        QTest::newRow("at once (behaviour off)") << false;
    }
    void screenRecordingTakesEffectAfterARestart()
    {
        QFETCH(bool, afterRestart);
        InterleavedWorld world;
        SimKnobs knobs = world.desktop.knobs();
        knobs.screenCaptureTakesEffectAfterRestart = afterRestart;
        world.desktop.setKnobs(knobs);
        world.desktop.setScreenCaptureAccess(SimDesktop::Permission::NotDetermined);
        world.desktop.setGrantsScreenCaptureOnRequest(true);
        auto &capture = world.screenCapture;

        QVERIFY(!capture.requestAccess());
        world.clock.advance(knobs.screenCaptureGrantDelayMs - 1);
        QVERIFY(!capture.preflightAccess());
        world.clock.advance(1);
        QCOMPARE(capture.preflightAccess(), !afterRestart);
        std::optional<ShareableContent> content;
        capture.shareableContent(false, true, this, [&](std::optional<ShareableContent> c, QString) { content = c; });
        world.clock.advance(1000);
        QVERIFY(content);

        world.desktop.relaunch();
        QVERIFY(capture.preflightAccess());
    }

    // A person asked for accessibility grants it in the settings a little
    // later; nobody does when the product only checks, or when the person says no.
    void accessibilityIsGrantedAfterADelay_data()
    {
        QTest::addColumn<bool>("prompt");
        QTest::addColumn<bool>("personGrants");
        QTest::addColumn<bool>("trustedLater");
        QTest::newRow("prompted, granted") << true << true << true;
        QTest::newRow("only checked") << false << true << false;
        QTest::newRow("prompted, refused") << true << false << false;
    }
    void accessibilityIsGrantedAfterADelay()
    {
        QFETCH(bool, prompt);
        QFETCH(bool, personGrants);
        QFETCH(bool, trustedLater);
        InterleavedWorld world;
        world.desktop.setAccessibilityTrusted(false);
        world.desktop.setGrantsAccessibilityOnPrompt(personGrants);
        const qint64 delay = world.desktop.knobs().accessibilityGrantDelayMs;

        QVERIFY(!world.accessibility.isProcessTrustedWithPrompt(prompt));
        QVERIFY(!world.accessibility.isProcessTrustedWithPrompt(prompt));
        world.clock.advance(delay - 1);
        QVERIFY(!world.accessibility.isProcessTrusted());
        world.clock.advance(1);
        QCOMPARE(world.accessibility.isProcessTrusted(), trustedLater);
    }
};

QTEST_GUILESS_MAIN(TestSimSettingsPane)
#include "tst_simsettingspane.moc"
