#include "services/windowworkareamanager.h"

#include "support/servicesworld.h"

#include "platform/axnames.h"
#include "platform/displays.h"

#include <QTest>

using namespace Velmora;
using Manager = WindowWorkAreaManager;
using Velmora::Test::ServicesWorld;

namespace {

constexpr double barHeight = 57;

// Screens exactly as given, frames and all.
class FixedDisplays final : public Displays
{
public:
    explicit FixedDisplays(QList<DisplayInfo> screens)
        : m_screens(std::move(screens))
    {
    }
    QList<DisplayInfo> screens() const override { return m_screens; }
    std::optional<DisplayInfo> mainScreen() const override { return m_screens.value(0); }
    std::optional<QList<quint32>> activeDisplayList() const override { return std::nullopt; }
    QPointF pointerLocation() const override { return {}; }

private:
    QList<DisplayInfo> m_screens;
};

// A: the primary display with a 24-point menu bar; B: to its right, without a
// menu bar; C: below A and shorter than the shortest window we make.
const QList<Manager::DisplayWorkArea> areas {
    { QRectF(0, 0, 1440, 900), 24, 843 },
    { QRectF(1440, 0, 1920, 1080), 0, 1023 },
    { QRectF(0, 900, 800, 230), 900, 1073 },
};

QString describe(const std::optional<Manager::Correction> &correction)
{
    if (!correction)
        return "none";
    auto size = [](const QSizeF &s) { return QString("%1x%2").arg(s.width()).arg(s.height()); };
    auto point = [](const QPointF &p) { return QString("%1,%2").arg(p.x()).arg(p.y()); };
    if (const auto *resize = std::get_if<Manager::Resize>(&*correction))
        return "resize " + size(resize->size);
    if (const auto *move = std::get_if<Manager::Move>(&*correction))
        return "move " + point(move->origin) + (move->fallbackSize ? " else " + size(*move->fallbackSize) : "");
    const auto &both = std::get<Manager::MoveAndResize>(*correction);
    return "move and resize " + point(both.origin) + " " + size(both.size);
}

struct ManagerWorld : ServicesWorld
{
    Manager manager { accessibility, workspace, displays };

    QRectF frame(quint32 window) const { return desktop.window(window)->bounds; }
};

} // namespace

class TestWindowWorkAreaManager : public QObject
{
    Q_OBJECT
private slots:
    void corrections_data()
    {
        QTest::addColumn<QRectF>("frame");
        QTest::addColumn<QString>("correction");

        QTest::newRow("2 points into the strip is left alone") << QRectF(100, 100, 600, 745) << "none";
        QTest::newRow("2.5 points into the strip moves up")
            << QRectF(100, 100, 600, 745.5) << "move 100,97.5 else 600x743";
        QTest::newRow("a window that fits moves up") << QRectF(200, 500, 600, 400) << "move 200,443 else 600x343";
        QTest::newRow("no fallback that would leave it under 180 points")
            << QRectF(200, 700, 600, 150) << "move 200,693";
        QTest::newRow("a top at the work area's top is only shortened")
            << QRectF(0, 24.4, 800, 870) << "resize 800x818.6";
        QTest::newRow("a taller window fills the work area")
            << QRectF(100, 50, 600, 1000) << "move and resize 100,24 600x819";
        QTest::newRow("the display holding the centre decides")
            << QRectF(1500, 800, 800, 300) << "move 1500,723 else 800x223";
        QTest::newRow("without a menu bar the top is the display's")
            << QRectF(1500, 0.3, 800, 1070) << "resize 800x1022.7";
        QTest::newRow("shortening under 180 points is left alone") << QRectF(0, 900.2, 400, 200) << "none";
        QTest::newRow("a work area under 180 points is not filled") << QRectF(0, 880, 400, 260) << "none";
        QTest::newRow("a centre on no display") << QRectF(3500, 100, 400, 1000) << "none";
    }
    void corrections()
    {
        QFETCH(QRectF, frame);
        QFETCH(QString, correction);
        QCOMPARE(describe(Manager::correction(frame, areas)), correction);
    }

    void workAreasFollowTheScreens()
    {
        DisplayInfo withMenuBar;
        withMenuBar.displayId = 1;
        withMenuBar.bounds = QRectF(0, 0, 1440, 900);
        withMenuBar.frame = QRectF(0, 0, 1440, 900);
        withMenuBar.visibleFrame = QRectF(0, 70, 1440, 806); // the Dock below, a 24-point menu bar above
        DisplayInfo unnumbered = withMenuBar;
        unnumbered.displayId = 0;
        DisplayInfo plain;
        plain.displayId = 2;
        plain.bounds = QRectF(1440, -180, 1920, 1080);
        plain.frame = QRectF(1440, 0, 1920, 1080);
        plain.visibleFrame = plain.frame;
        FixedDisplays displays({ withMenuBar, unnumbered, plain });

        ServicesWorld world;
        const Manager manager(world.accessibility, world.workspace, displays);
        const QList<Manager::DisplayWorkArea> expected { { QRectF(0, 0, 1440, 900), 24, 843 },
            { QRectF(1440, -180, 1920, 1080), -180, 843 } };
        QCOMPARE(manager.displayWorkAreas(barHeight), expected);
    }

    void carriesOutOneCorrection_data()
    {
        QTest::addColumn<QRectF>("frame");
        QTest::addColumn<QString>("failingOperation");
        QTest::addColumn<QString>("failingAttribute");
        QTest::addColumn<QRectF>("result");
        QTest::addColumn<bool>("adjusted");

        const QString settable = Sim::SimOperations::IsAttributeSettable;
        const QString write = Sim::SimOperations::SetAttributeValue;
        QTest::newRow("moved") << QRectF(200, 500, 600, 400) << ""
                               << "" << QRectF(200, 443, 600, 400) << true;
        QTest::newRow("shortened when it cannot move")
            << QRectF(200, 500, 600, 400) << settable << "AXPosition" << QRectF(200, 500, 600, 343) << true;
        QTest::newRow("shortened when the move fails")
            << QRectF(200, 500, 600, 400) << write << "AXPosition" << QRectF(200, 500, 600, 343) << true;
        QTest::newRow("left when neither works")
            << QRectF(200, 500, 600, 400) << settable << "" << QRectF(200, 500, 600, 400) << false;
        QTest::newRow("filled") << QRectF(100, 50, 600, 1000) << ""
                                << "" << QRectF(100, 25, 600, 818) << true;
        QTest::newRow("back where it was when its size cannot be set")
            << QRectF(100, 50, 600, 1000) << write << "AXSize" << QRectF(100, 50, 600, 1000) << false;
        QTest::newRow("not moved when its size is not settable")
            << QRectF(100, 50, 600, 1000) << settable << "AXSize" << QRectF(100, 50, 600, 1000) << false;
        QTest::newRow("shortened") << QRectF(0, 25, 800, 870) << ""
                                   << "" << QRectF(0, 25, 800, 818) << true;
        QTest::newRow("unreadable size") << QRectF(200, 500, 600, 400)
                                         << QString(Sim::SimOperations::CopyAttributeValue) << "AXSize"
                                         << QRectF(200, 500, 600, 400) << false;
    }
    void carriesOutOneCorrection()
    {
        QFETCH(QRectF, frame);
        QFETCH(QString, failingOperation);
        QFETCH(QString, failingAttribute);
        QFETCH(QRectF, result);
        QFETCH(bool, adjusted);

        ManagerWorld world;
        const quint32 window = world.addWindow(world.addApp("Editor"), frame);
        if (!failingOperation.isEmpty())
            world.desktop.injectFailure(Sim::SimFailure::on(failingOperation, failingAttribute));
        const auto areas = world.manager.displayWorkAreas(barHeight);
        QCOMPARE(world.manager.keepWindowInWorkArea(world.desktop.windowElement(window), areas), adjusted);
        QCOMPARE(world.frame(window), result);
    }

    void appliesToEveryRegularApplicationButThisOne()
    {
        ManagerWorld world;
        const QRectF low(100, 600, 500, 400);
        const qint32 editor = world.addApp("Editor");
        const quint32 editorLow = world.addWindow(editor, low);
        const quint32 editorFine = world.addWindow(editor, QRectF(100, 100, 500, 400));
        const quint32 editorFull
            = world.addWindow(editor, low, "Film", [](Sim::SimWindow &window) { window.fullScreen = true; });
        const qint32 helper = world.addApp("Helper");
        world.desktop.updateProcess(helper, [](Sim::SimProcess &p) { p.policy = ActivationPolicy::Accessory; });
        const quint32 helperLow = world.addWindow(helper, low);
        const qint32 self = world.desktop.selfPid();
        world.desktop.updateProcess(self, [](Sim::SimProcess &p) { p.policy = ActivationPolicy::Regular; });
        const quint32 ownLow = world.addWindow(self, low);

        QCOMPARE(world.manager.apply(barHeight), (Manager::Report { true, 3, 1 }));
        QCOMPARE(world.frame(editorLow), QRectF(100, 443, 500, 400));
        QCOMPARE(world.frame(editorFine), QRectF(100, 100, 500, 400));
        QCOMPARE(world.frame(editorFull), low);
        QCOMPARE(world.frame(helperLow), low);
        QCOMPARE(world.frame(ownLow), low);

        // Without trust nothing is asked and nothing touched.
        world.desktop.updateWindow(editorLow, [&](Sim::SimWindow &w) { w.bounds = low; });
        world.desktop.setAccessibilityTrusted(false);
        world.desktop.clearRequests();
        QCOMPARE(world.manager.apply(barHeight), Manager::Report {});
        QCOMPARE(world.frame(editorLow), low);
        QCOMPARE(world.callsTo(Sim::SimOperations::CopyAttributeValue), 0);
    }

    void aHungApplicationHoldsTheBarOnlyBriefly()
    {
        ManagerWorld world;
        const qint32 hung = world.addApp("Stuck");
        world.addWindow(hung, QRectF(100, 600, 500, 400));
        world.desktop.setHung(hung, true);
        const qint64 before = world.clock.monotonicMs();
        QCOMPARE(world.manager.apply(barHeight), (Manager::Report { true, 0, 0 }));
        QVERIFY2(world.clock.monotonicMs() - before <= 300, "waited longer than the short time-out");
    }
};

QTEST_GUILESS_MAIN(TestWindowWorkAreaManager)
#include "tst_windowworkareamanager.moc"
