#include "onboarding/model/onboardinggrowth.h"

#include <QTest>

using namespace Velmora;

Q_DECLARE_METATYPE(std::optional<QRectF>)
Q_DECLARE_METATYPE(std::optional<Velmora::DisplayInfo>)

namespace {

// A 1440 by 900 screen whose visible frame leaves out a 25-point menu bar:
// the area above the bar's 57-point strip runs from y 57 to y 875.
DisplayInfo screen()
{
    DisplayInfo display;
    display.displayId = 1;
    display.frame = QRectF(0, 0, 1440, 900);
    display.visibleFrame = QRectF(0, 0, 1440, 875);
    display.bounds = display.frame;
    return display;
}

// 28 points of title bar above the content.
const QMarginsF titleBar(0, 28, 0, 0);

} // namespace

class TestOnboardingGrowth : public QObject
{
    Q_OBJECT
private slots:
    void growsDownwardsAndStaysOnScreen_data()
    {
        QTest::addColumn<QRectF>("frame");
        QTest::addColumn<QSizeF>("minimum");
        QTest::addColumn<std::optional<DisplayInfo>>("display");
        QTest::addColumn<std::optional<QRectF>>("grown");

        // The frame's content is 540 by 400; its top edge is at y 728.
        const QRectF frame(300, 300, 540, 428);
        const std::optional<DisplayInfo> onScreen = screen();
        QTest::newRow("0.4 larger both ways: nothing") << frame << QSizeF(540.4, 400.4) << onScreen
                                                       << std::optional<QRectF>();
        QTest::newRow("smaller: nothing") << frame << QSizeF(520, 300) << onScreen << std::optional<QRectF>();
        QTest::newRow("1 larger both ways: grows down from a fixed top")
            << frame << QSizeF(541, 401) << onScreen << std::optional(QRectF(300, 299, 541, 429));
        QTest::newRow("taller only") << frame << QSizeF(400, 500) << onScreen
                                     << std::optional(QRectF(300, 200, 540, 528));
        QTest::newRow("would reach into the bar's strip: the top moves up instead")
            << frame << QSizeF(540, 700) << onScreen << std::optional(QRectF(300, 57, 540, 728));
        QTest::newRow("taller than the screen: as tall as the area")
            << frame << QSizeF(540, 2000) << onScreen << std::optional(QRectF(300, 57, 540, 818));
        QTest::newRow("wider than the screen's right side: moves left")
            << QRectF(1000, 300, 540, 428) << QSizeF(600, 400) << onScreen
            << std::optional(QRectF(840, 300, 600, 428));
        QTest::newRow("wider than the screen: as wide as the screen")
            << frame << QSizeF(2000, 400) << onScreen << std::optional(QRectF(0, 300, 1440, 428));
        QTest::newRow("on no screen: grows without limit")
            << frame << QSizeF(2000, 900) << std::optional<DisplayInfo>()
            << std::optional(QRectF(300, -200, 2000, 928));
    }
    void growsDownwardsAndStaysOnScreen()
    {
        QFETCH(QRectF, frame);
        QFETCH(QSizeF, minimum);
        QFETCH(std::optional<DisplayInfo>, display);
        QFETCH(std::optional<QRectF>, grown);
        QCOMPARE(OnboardingGrowth::grownFrame(frame, titleBar, minimum, display), grown);
    }
};

QTEST_GUILESS_MAIN(TestOnboardingGrowth)
#include "tst_onboardinggrowth.moc"
