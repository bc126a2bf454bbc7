#include "services/screencapturepermission.h"
#include "services/thumbnailcapture.h"
#include "services/windowpreviewid.h"

#include "platform/sim/heldscreencapture.h"
#include "support/servicesworld.h"

#include <QTest>

using namespace Velmora;
using Velmora::Sim::SimWindow;

namespace {

struct CaptureWorld : Test::ListingWorld
{
    Sim::HeldScreenCapture held{screenCapture};
    ScreenCapturePermission permission{held, clock};
    ThumbnailCapture capture{held, permission, provider, clock};

    qint32 pid = addApp("Editor");

    struct Outcome
    {
        int calls = 0;
        ThumbnailCapture::Result result;
    };

    std::shared_ptr<Outcome> start(const QList<WindowPreviewItem> &items)
    {
        auto outcome = std::make_shared<Outcome>();
        capture.captureThumbnails(items, nullptr, [outcome](ThumbnailCapture::Result result) {
            ++outcome->calls;
            outcome->result = std::move(result);
        });
        return outcome;
    }

    QString id(quint32 window) const { return WindowPreviewId::forWindow(pid, window); }

    QList<QSize> requestedSizes() const
    {
        QList<QSize> sizes;
        for (const auto &r : desktop.requests(Sim::SimOperations::CaptureWindowImage))
            sizes << r.detail.toMap().value("size").toSize();
        return sizes;
    }
};

} // namespace

class TestThumbnailCapture : public QObject
{
    Q_OBJECT
private slots:
    void captureSize_data()
    {
        QTest::addColumn<double>("aspectRatio");
        QTest::addColumn<QSize>("size");
        QTest::newRow("very wide") << 4.0 << QSize(440, 180);
        QTest::newRow("wide") << 2.0 << QSize(440, 220);
        QTest::newRow("truncated, not rounded") << 3.0 << QSize(440, 180);
        QTest::newRow("just above the floor") << 2.4 << QSize(440, 183);
        QTest::newRow("square") << 1.0 << QSize(440, 440);
        QTest::newRow("tall window never exceeds square") << 0.5 << QSize(440, 440);
    }
    void captureSize()
    {
        QFETCH(double, aspectRatio);
        QFETCH(QSize, size);
        QCOMPARE(ThumbnailCapture::thumbnailSize(aspectRatio), size);
    }

    void capturesEveryListedWindow()
    {
        CaptureWorld world;
        world.held.setHolding(false);
        const quint32 wide = world.addWindow(world.pid, {0, 0, 1000, 400}, "Wide");
        const quint32 tall = world.addWindow(world.pid, {0, 0, 400, 800}, "Tall");
        world.addWindow(world.pid, {0, 0, 400, 300}, "Parked", [](SimWindow &w) {
            w.minimized = true;
            w.inWindowList = false;
        });
        const auto items = world.provider.windows(world.app(world.pid));
        QCOMPARE(items.size(), 3);

        const auto outcome = world.start(items);
        world.clock.advance(100);
        QCOMPARE(outcome->calls, 1);
        QCOMPARE(outcome->result.keys().size(), 2);
        const CapturedThumbnail wideImage = outcome->result.value(world.id(wide));
        QCOMPARE(wideImage.image.size(), QSize(440, 180));
        QCOMPARE(wideImage.image, world.screenCapture.imageOf(wide, QSize(440, 180)));
        QCOMPARE(wideImage.title, std::optional<QString>("Wide"));
        QCOMPARE(outcome->result.value(world.id(tall)).image.size(), QSize(440, 440));
        // The window the window server does not list is not asked for.
        QCOMPARE(world.requestedSizes().size(), 2);
        const auto content = world.desktop.requests(Sim::SimOperations::ShareableContent);
        QCOMPARE(content.size(), 1);
        QCOMPARE(content[0].detail.toMap().value("onScreenWindowsOnly").toBool(), false);
    }

    void failuresGiveNoImage()
    {
        CaptureWorld world;
        world.held.setHolding(false);
        world.addWindow(world.pid, {0, 0, 600, 400}, "One");
        world.addWindow(world.pid, {0, 0, 600, 400}, "Two");
        const auto items = world.provider.windows(world.app(world.pid));

        world.desktop.injectFailure(Sim::SimFailure::on(Sim::SimOperations::CaptureWindowImage).once());
        auto outcome = world.start(items);
        world.clock.advance(100);
        QCOMPARE(outcome->calls, 1);
        QCOMPARE(outcome->result.size(), 1);

        world.desktop.injectFailure(Sim::SimFailure::on(Sim::SimOperations::ShareableContent).once());
        outcome = world.start(items);
        world.clock.advance(100);
        QCOMPARE(outcome->calls, 1);
        QVERIFY(outcome->result.isEmpty());

        // Without permission nothing is asked of the capture service at all.
        world.desktop.clearRequests();
        world.desktop.setScreenCaptureAccess(Sim::SimDesktop::Permission::Denied);
        outcome = world.start(items);
        QCOMPARE(outcome->calls, 0); // never inside the call
        world.clock.runPending();
        QCOMPARE(outcome->calls, 1);
        QVERIFY(outcome->result.isEmpty());
        QCOMPARE(world.callsTo(Sim::SimOperations::ShareableContent), 0);
    }

    void answersInAnyOrderAndCapturesThatNeverAnswer()
    {
        CaptureWorld world;
        const quint32 a = world.addWindow(world.pid, {0, 0, 600, 400}, "A");
        const quint32 b = world.addWindow(world.pid, {0, 0, 600, 400}, "B");
        const quint32 c = world.addWindow(world.pid, {0, 0, 600, 400}, "C");
        const auto items = world.provider.windows(world.app(world.pid));

        auto outcome = world.start(items);
        world.clock.advance(100);
        QCOMPARE(world.held.heldWindows().size(), 3);
        QVERIFY(world.held.release(c));
        QVERIFY(world.held.release(a));
        world.clock.advance(ThumbnailCapture::captureTimeoutMs - 200);
        QCOMPARE(outcome->calls, 0);

        // The capture of b never answers: the call ends at its time-out with what arrived.
        world.clock.advance(200);
        QCOMPARE(outcome->calls, 1);
        QCOMPARE(QSet<QString>(outcome->result.keyBegin(), outcome->result.keyEnd()),
                 (QSet<QString>{world.id(a), world.id(c)}));

        // A late answer changes nothing, and the window can be captured again.
        QVERIFY(world.held.release(b));
        world.clock.advance(100);
        QCOMPARE(outcome->calls, 1);
        world.held.setHolding(false);
        outcome = world.start(items);
        world.clock.advance(100);
        QCOMPARE(outcome->result.size(), 3);
    }

    void contentRequestThatNeverAnswersTimesOut()
    {
        CaptureWorld world;
        world.addWindow(world.pid, {0, 0, 600, 400}, "A");
        world.desktop.injectFailure(Sim::SimFailure::on(Sim::SimOperations::ShareableContent).once().hanging());
        const auto outcome = world.start(world.provider.windows(world.app(world.pid)));
        world.clock.advance(ThumbnailCapture::captureTimeoutMs);
        QCOMPARE(outcome->calls, 1);
        QVERIFY(outcome->result.isEmpty());
    }

    void probeAsksOnceAtATime()
    {
        CaptureWorld world;
        world.desktop.setScreenCaptureAccess(Sim::SimDesktop::Permission::Denied);
        QList<bool> answers;
        const auto record = [&answers](bool granted) { answers << granted; };

        world.permission.probe(nullptr, record);
        QVERIFY(world.permission.isProbing());
        // A second probe while one waits is answered at once from what is known.
        world.permission.probe(nullptr, record);
        QCOMPARE(answers, QList<bool>{false});
        world.clock.advance(100);
        QCOMPARE(answers, (QList<bool>{false, false}));
        QCOMPARE(world.callsTo(Sim::SimOperations::ShareableContent), 1);
        QCOMPARE(world.desktop.requests(Sim::SimOperations::ShareableContent)[0]
                     .detail.toMap()
                     .value("onScreenWindowsOnly")
                     .toBool(),
                 true);

        // The probe's answer stands over the preflight check until the next probe.
        world.desktop.setScreenCaptureAccess(Sim::SimDesktop::Permission::Granted);
        QCOMPARE(world.permission.isGranted(), false);
        world.permission.probe(nullptr, record);
        world.clock.advance(100);
        QCOMPARE(answers.last(), true);
        QCOMPARE(world.permission.screenCaptureKitResult(), std::optional<bool>(true));
    }

    void probeThatNeverAnswersDoesNotBlockLaterProbes()
    {
        CaptureWorld world;
        world.desktop.injectFailure(Sim::SimFailure::on(Sim::SimOperations::ShareableContent).once().hanging());
        QList<bool> answers;
        world.permission.probe(nullptr, [&answers](bool granted) { answers << granted; });
        world.clock.advance(ScreenCapturePermission::probeTimeoutMs);
        QCOMPARE(answers, QList<bool>{true}); // the preflight check, nothing learnt
        QVERIFY(!world.permission.isProbing());
        QCOMPARE(world.permission.screenCaptureKitResult(), std::nullopt);

        world.permission.probe(nullptr, [&answers](bool granted) { answers << granted; });
        world.clock.advance(100);
        QCOMPARE(world.callsTo(Sim::SimOperations::ShareableContent), 2);
        QCOMPARE(world.permission.screenCaptureKitResult(), std::optional<bool>(true));
    }
};

QTEST_GUILESS_MAIN(TestThumbnailCapture)
#include "tst_thumbnailcapture.moc"
