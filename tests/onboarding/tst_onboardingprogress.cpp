#include "onboarding/model/onboardingprogress.h"
#include "platform/sim/memoryuserdefaults.h"

#include <QTest>

using namespace Velmora;

class TestOnboardingProgress : public QObject
{
    Q_OBJECT
private slots:
    void resumesOnlyAtAStoredStep_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<OnboardingStep>("resumed");

        QTest::newRow("missing") << QVariant() << OnboardingStep::welcome;
        QTest::newRow("3: Screen Recording") << QVariant(qint64(3)) << OnboardingStep::screenRecording;
        QTest::newRow("0") << QVariant(qint64(0)) << OnboardingStep::welcome;
        QTest::newRow("4: done") << QVariant(qint64(4)) << OnboardingStep::done;
        QTest::newRow("5") << QVariant(qint64(5)) << OnboardingStep::welcome;
        QTest::newRow("7") << QVariant(qint64(7)) << OnboardingStep::welcome;
        QTest::newRow("-1") << QVariant(qint64(-1)) << OnboardingStep::welcome;
        QTest::newRow("most negative") << QVariant(std::numeric_limits<qint64>::min()) << OnboardingStep::welcome;
        QTest::newRow("a text") << QVariant(QStringLiteral("3")) << OnboardingStep::welcome;
        QTest::newRow("a Boolean") << QVariant(true) << OnboardingStep::welcome;
    }
    void resumesOnlyAtAStoredStep()
    {
        QFETCH(QVariant, stored);
        QFETCH(OnboardingStep, resumed);

        Sim::MemoryUserDefaults defaults;
        if (stored.isValid())
            QVERIFY(defaults.setValue(OnboardingProgress::stepKey, stored));
        QCOMPARE(OnboardingProgress(defaults).resumeStep(), resumed);
    }

    void savedStepsComeBackAndCompletionForgetsThem()
    {
        Sim::MemoryUserDefaults defaults;
        OnboardingProgress progress(defaults);
        QVERIFY(!progress.isCompleted());

        progress.saveStep(OnboardingStep::accessibility);
        QCOMPARE(defaults.value("OnboardingStep"), QVariant(qint64(2)));
        QCOMPARE(OnboardingProgress(defaults).resumeStep(), OnboardingStep::accessibility);

        progress.complete();
        QCOMPARE(defaults.value("OnboardingCompleted"), QVariant(true));
        QVERIFY(!defaults.contains("OnboardingStep"));
        QVERIFY(progress.isCompleted());
        // A window opened after completion starts from the beginning.
        QCOMPARE(progress.resumeStep(), OnboardingStep::welcome);
    }

    void onlyABooleanTrueCompletes()
    {
        Sim::MemoryUserDefaults defaults;
        defaults.setValue("OnboardingCompleted", qint64(1));
        QVERIFY(!OnboardingProgress(defaults).isCompleted());
        defaults.setValue("OnboardingCompleted", QStringLiteral("true"));
        QVERIFY(!OnboardingProgress(defaults).isCompleted());
        defaults.setValue("OnboardingCompleted", false);
        QVERIFY(!OnboardingProgress(defaults).isCompleted());
    }
};

QTEST_GUILESS_MAIN(TestOnboardingProgress)
#include "tst_onboardingprogress.moc"
