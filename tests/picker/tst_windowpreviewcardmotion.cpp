#include "bar/model/animator.h"
#include "picker/model/windowpreviewcardmotion.h"
#include "platform/sim/virtualclock.h"

#include <QTest>

using namespace Velmora;

namespace {

struct Fixture
{
    Sim::VirtualClock clock;
    Animator animator { clock, clock };

    std::unique_ptr<WindowPreviewCardMotion> make(qint64 delayMs, bool hasAppeared)
    {
        return std::make_unique<WindowPreviewCardMotion>(animator, clock, delayMs, hasAppeared);
    }
    // Long enough for any card motion to settle.
    void settle() { clock.advance(2000); }
};

struct Look
{
    qreal opacity, scale, offsetY;
};

void compareLook(const CardTransform &t, Look expected)
{
    QVERIFY2(qAbs(t.opacity - expected.opacity) < 1e-3, qPrintable(QString::number(t.opacity)));
    QVERIFY2(qAbs(t.scale - expected.scale) < 1e-3, qPrintable(QString::number(t.scale)));
    QVERIFY2(qAbs(t.offsetY - expected.offsetY) < 1e-3, qPrintable(QString::number(t.offsetY)));
}

constexpr Look hidden { 0, 0.96, 8 };
constexpr Look shown { 1, 1, 0 };

} // namespace

Q_DECLARE_METATYPE(Look)

class TestWindowPreviewCardMotion : public QObject
{
    Q_OBJECT
private slots:
    void appearWaitsForItsDelayThenRises()
    {
        Fixture f;
        auto motion = f.make(WindowPreviewCardMotion::appearDelayMs(2), false);
        compareLook(motion->transform(), hidden);
        motion->shown();
        f.clock.advance(69);
        compareLook(motion->transform(), hidden);
        f.clock.advance(1 + 3 * Animator::frameIntervalMs);
        const CardTransform rising = motion->transform();
        QVERIFY(rising.opacity > 0 && rising.opacity < 1);
        QVERIFY(rising.offsetY > 0 && rising.offsetY < 8);
        f.settle();
        compareLook(motion->transform(), shown);
        QVERIFY(!motion->isMoving());
        // Shown once: coming on screen again plays nothing.
        motion->shown();
        QVERIFY(!motion->isMoving());
    }

    void appearDelayStopsGrowingAtTheSixthCard_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<qint64>("delay");
        QTest::newRow("first") << 0 << qint64(0);
        QTest::newRow("second") << 1 << qint64(35);
        QTest::newRow("sixth") << 5 << qint64(175);
        QTest::newRow("seventh") << 6 << qint64(175);
        QTest::newRow("twentieth") << 19 << qint64(175);
    }
    void appearDelayStopsGrowingAtTheSixthCard()
    {
        QFETCH(int, index);
        QFETCH(qint64, delay);
        QCOMPARE(WindowPreviewCardMotion::appearDelayMs(index), delay);
    }

    void startStates_data()
    {
        QTest::addColumn<bool>("hasAppeared");
        QTest::addColumn<bool>("reduceMotion");
        QTest::addColumn<bool>("closing");
        QTest::addColumn<Look>("beforeShown");
        QTest::addColumn<Look>("atOnceAfterShown");
        QTest::addColumn<Look>("settled");
        // The card that replaces the placeholder is there from the start.
        QTest::newRow("replacing the placeholder") << true << false << false << shown << shown << shown;
        QTest::newRow("reduce motion: no rise, no spring")
            << false << true << false << Look { 0, 0.96, 0 } << shown << shown;
        QTest::newRow("closed before it appeared stays invisible and small")
            << false << false << true << Look { 0, 0.88, 8 } << Look { 0, 0.88, 8 } << Look { 0, 0.88, 0 };
    }
    void startStates()
    {
        QFETCH(bool, hasAppeared);
        QFETCH(bool, reduceMotion);
        QFETCH(bool, closing);
        QFETCH(Look, beforeShown);
        QFETCH(Look, atOnceAfterShown);
        QFETCH(Look, settled);
        Fixture f;
        f.animator.setReducesMotion(reduceMotion);
        auto motion = f.make(100, hasAppeared);
        if (closing) {
            motion->setClosing(true);
            f.settle();
        }
        compareLook(motion->transform(), beforeShown);
        motion->shown();
        compareLook(motion->transform(), atOnceAfterShown);
        f.settle();
        compareLook(motion->transform(), settled);
    }

    void closingFadesAndShrinksIn160ms()
    {
        Fixture f;
        auto motion = f.make(0, true);
        motion->setClosing(true);
        f.clock.advance(80);
        const CardTransform midway = motion->transform();
        QVERIFY(midway.opacity > 0 && midway.opacity < 1);
        QVERIFY(midway.scale > 0.88 && midway.scale < 1);
        f.clock.advance(80 + Animator::frameIntervalMs);
        compareLook(motion->transform(), Look { 0, 0.88, 0 });
        QVERIFY(f.animator.isIdle());
    }

    void lift_data()
    {
        QTest::addColumn<bool>("reduceMotion");
        QTest::addColumn<qreal>("scale");
        QTest::addColumn<qreal>("rotation");
        QTest::newRow("normal") << false << 1.04 << -1.0;
        // Neither grows nor tilts, but still casts its shadow.
        QTest::newRow("reduce motion") << true << 1.0 << 0.0;
    }
    void lift()
    {
        QFETCH(bool, reduceMotion);
        QFETCH(qreal, scale);
        QFETCH(qreal, rotation);
        Fixture f;
        f.animator.setReducesMotion(reduceMotion);
        auto motion = f.make(0, true);
        motion->setLifted(true);
        f.clock.advance(180 + Animator::frameIntervalMs);
        CardTransform t = motion->transform();
        QCOMPARE(t.scale, scale);
        QCOMPARE(t.rotationDegrees, rotation);
        QCOMPARE(t.shadowOpacity, 0.5);
        QCOMPARE(t.shadowRadius, 10.0);
        QCOMPARE(t.shadowOffsetY, 8.0);
        QVERIFY(t.overhangs());
        motion->setLifted(false);
        f.settle();
        t = motion->transform();
        QCOMPARE(t.scale, 1.0);
        QCOMPARE(t.rotationDegrees, 0.0);
        QCOMPARE(t.shadowOpacity, 0.0);
        QVERIFY(!t.overhangs());
    }
};

QTEST_GUILESS_MAIN(TestWindowPreviewCardMotion)
#include "tst_windowpreviewcardmotion.moc"
