#include "services/windowpreviewid.h"
#include "services/windowvisibility.h"

#include "support/servicesworld.h"

#include <QTest>

using namespace Velmora;
using Velmora::Sim::SimWindow;
using Velmora::Test::ListingWorld;

namespace {

struct Cover
{
    QRectF bounds;
    double alpha = 1.0;
    bool ownPanel = false;
};

} // namespace

Q_DECLARE_METATYPE(Cover)

class TestWindowVisibility : public QObject
{
    Q_OBJECT
private slots:
    void subtraction_data()
    {
        QTest::addColumn<QRectF>("bounds");
        QTest::addColumn<QList<QRectF>>("displays");
        QTest::addColumn<QList<QRectF>>("covers");
        QTest::addColumn<bool>("visible");

        const QList<QRectF> screen{{0, 0, 1000, 800}};
        const QRectF window(100, 100, 400, 300);
        QTest::newRow("uncovered") << window << screen << QList<QRectF>{} << true;
        QTest::newRow("half covered") << window << screen << QList<QRectF>{{300, 0, 800, 800}} << true;
        QTest::newRow("covered whole") << window << screen << QList<QRectF>{{50, 50, 600, 600}} << false;
        QTest::newRow("covered exactly") << window << screen << QList<QRectF>{window} << false;
        QTest::newRow("two covers together") << window << screen
                                             << QList<QRectF>{{0, 0, 300, 800}, {300, 0, 700, 800}} << false;
        QTest::newRow("four covers around a hole")
            << window << screen
            << QList<QRectF>{{100, 100, 400, 100}, {100, 300, 400, 100}, {100, 200, 150, 100}, {260, 200, 240, 100}}
            << true;
        QTest::newRow("four covers closing the hole")
            << window << screen
            << QList<QRectF>{{100, 100, 400, 100}, {100, 300, 400, 100}, {100, 200, 150, 100}, {250, 200, 250, 100}}
            << false;
        QTest::newRow("fraction of a point left") << window << screen << QList<QRectF>{{100, 100, 399.5, 300}}
                                                  << true;
        QTest::newRow("cover only touches") << window << screen << QList<QRectF>{{500, 100, 100, 300}} << true;
        QTest::newRow("off every display") << QRectF(1200, 100, 300, 200) << screen << QList<QRectF>{} << false;
        QTest::newRow("no display") << window << QList<QRectF>{} << QList<QRectF>{} << false;
        // The visible part lies on the second display only; covering it hides the window.
        QTest::newRow("part on the other display covered")
            << QRectF(900, 100, 300, 200) << QList<QRectF>{{0, 0, 1000, 800}, {1000, 0, 800, 600}}
            << QList<QRectF>{{0, 0, 1000, 800}, {1000, 0, 800, 600}} << false;
        QTest::newRow("covered on one display, open on the other")
            << QRectF(900, 100, 300, 200) << QList<QRectF>{{0, 0, 1000, 800}, {1000, 0, 800, 600}}
            << QList<QRectF>{{0, 0, 1000, 800}} << true;
    }
    void subtraction()
    {
        QFETCH(QRectF, bounds);
        QFETCH(QList<QRectF>, displays);
        QFETCH(QList<QRectF>, covers);
        QFETCH(bool, visible);
        QCOMPARE(WindowVisibility::isVisible(bounds, displays, covers), visible);
    }

    void subtractKeepsBandsInOrder()
    {
        const auto rest = WindowVisibility::subtract({0, 0, 100, 100}, {40, 30, 20, 10});
        QCOMPARE(rest, (QList<QRectF>{{0, 0, 100, 30}, {0, 40, 100, 60}, {0, 30, 40, 10}, {60, 30, 40, 10}}));
    }

    // The desktop is 1440 x 900; the window sits at 100, 100, 400 x 300.
    void visiblePreviews_data()
    {
        QTest::addColumn<QRectF>("bounds");
        QTest::addColumn<QList<Cover>>("covers"); // back to front
        QTest::addColumn<bool>("visible");
        QTest::addColumn<double>("alpha");

        const QRectF window(100, 100, 400, 300);
        QTest::newRow("alone") << window << QList<Cover>{} << true << 1.0;
        QTest::newRow("half covered") << window << QList<Cover>{{{300, 0, 600, 600}}} << true << 1.0;
        QTest::newRow("covered by two together")
            << window << QList<Cover>{{{0, 0, 300, 600}}, {{300, 0, 600, 600}}} << false << 1.0;
        QTest::newRow("translucent in front") << window << QList<Cover>{{{0, 0, 900, 600}, 0.5}} << true << 1.0;
        QTest::newRow("fully transparent window") << window << QList<Cover>{} << false << 0.0;
        QTest::newRow("taskbar's own panel in front") << window << QList<Cover>{{{0, 0, 900, 600}, 1.0, true}}
                                                      << true << 1.0;
        QTest::newRow("outside every display") << QRectF(2000, 100, 400, 300) << QList<Cover>{} << false << 1.0;
    }
    void visiblePreviews()
    {
        QFETCH(QRectF, bounds);
        QFETCH(QList<Cover>, covers);
        QFETCH(bool, visible);
        QFETCH(double, alpha);

        ListingWorld world;
        const qint32 pid = world.addApp("Editor");
        const qint32 other = world.addApp("Other");
        const quint32 number = world.addWindow(pid, bounds, "Doc", [&](SimWindow &w) { w.alpha = alpha; });
        for (const Cover &cover : covers) {
            world.addWindow(other, cover.bounds, "Cover", [&](SimWindow &w) {
                w.alpha = cover.alpha;
                if (cover.ownPanel)
                    w.windowListOverrides.insert(QString(WindowListEntry::OwnerPIDKey), world.desktop.selfPid());
            });
        }
        const auto items = world.provider.windows(world.app(pid));
        QCOMPARE(items.size(), 1);
        const auto candidates = WindowPreviewProvider::visibilityCandidates(items);
        QCOMPARE(candidates.size(), 1);
        QCOMPARE(world.provider.visiblePreviewIDs(candidates).contains(WindowPreviewId::forWindow(pid, number)),
                 visible);
    }

    void visibilityCandidatesAndFailures()
    {
        ListingWorld world;
        const qint32 pid = world.addApp("Editor");
        const quint32 shown = world.addWindow(pid, {100, 100, 400, 300}, "Shown");
        world.addWindow(pid, {600, 100, 400, 300}, "Parked", [](SimWindow &w) { w.minimized = true; });
        const auto items = world.provider.windows(world.app(pid));
        QCOMPARE(items.size(), 2);

        // A minimized window is never a candidate.
        auto candidates = WindowPreviewProvider::visibilityCandidates(items);
        QCOMPARE(candidates.size(), 1);
        const QString shownId = WindowPreviewId::forWindow(pid, shown);
        QCOMPARE(candidates[0].id, shownId);

        // Of two candidates for one window, only the first can be reported.
        candidates.append({"duplicate", shown, pid});
        QCOMPARE(world.provider.visiblePreviewIDs(candidates), QSet<QString>{shownId});

        world.desktop.injectFailure(Sim::SimFailure::on(Sim::SimOperations::CopyWindowInfo).once());
        QVERIFY(world.provider.visiblePreviewIDs(candidates).isEmpty());
        world.desktop.injectFailure(Sim::SimFailure::on(Sim::SimOperations::ActiveDisplayList).once());
        QVERIFY(world.provider.visiblePreviewIDs(candidates).isEmpty());
        world.desktop.setDisplays({});
        QVERIFY(world.provider.visiblePreviewIDs(candidates).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestWindowVisibility)
#include "tst_windowvisibility.moc"
