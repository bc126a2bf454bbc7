#include "services/windowpreviewid.h"
#include "store/windowthumbnails.h"
#include "storeworld.h"

#include <QTest>

using namespace Velmora;

namespace {

QImage image(Qt::GlobalColor colour)
{
    QImage result(8, 6, QImage::Format_ARGB32);
    result.fill(colour);
    return result;
}

// An editor with two windows; captures answer only when the test says so.
struct Fixture : Test::StoreWorld
{
    qint32 editor = addApp("Editor");
    quint32 first = addWindow(editor, QRectF(100, 100, 600, 400), "First");
    quint32 second = addWindow(editor, QRectF(800, 100, 600, 400), "Second");
    std::unique_ptr<TaskbarStore> store = make(false);
    WindowPicker &picker = store->windowPicker();
    WindowThumbnails &thumbnails = store->thumbnails();

    static AppItem appFor(const QString &name) { return appItem(name); }
    QString firstID() const { return WindowPreviewId::forWindow(editor, first); }
    QString secondID() const { return WindowPreviewId::forWindow(editor, second); }
    // Opens the editor's picker as a press does (no opening gate).
    void open()
    {
        QVERIFY(picker.prepareWindowPicker(appFor("Editor"), 1));
        background.runAll();
    }
    WindowThumbnails::Thumbnails captured(const QString &id, Qt::GlobalColor colour, const QString &title) const
    {
        return { { id, CapturedThumbnail { image(colour), title } } };
    }
    // Both windows captured: the first red, the second blue.
    WindowThumbnails::Thumbnails bothCaptured() const
    {
        WindowThumbnails::Thumbnails both = captured(firstID(), Qt::red, "First");
        both.insert(secondID(), CapturedThumbnail { image(Qt::blue), QString("Second") });
        return both;
    }
    std::optional<QImage> shownImage(const QString &id) const
    {
        for (const WindowPreviewItem &preview : picker.windowPreviews()) {
            if (preview.id == id)
                return preview.thumbnail;
        }
        return std::nullopt;
    }
};

} // namespace

class TestWindowThumbnails : public QObject
{
    Q_OBJECT
private slots:
    void captureFillsTheCardsAndTheCache()
    {
        Fixture f;
        f.open();
        QCOMPARE(f.capture.captures.size(), 1);
        QCOMPARE(f.capture.captures.first().previews.size(), 2);
        QVERIFY(f.thumbnails.isCapturing());

        // Only the first window could be captured.
        f.capture.completeCapture(0, f.captured(f.firstID(), Qt::red, "First"));
        QVERIFY(!f.thumbnails.isCapturing());
        QCOMPARE(f.shownImage(f.firstID()), std::optional<QImage>(image(Qt::red)));
        QVERIFY(!f.shownImage(f.secondID()));
        QCOMPARE(f.thumbnails.keptThumbnails(f.editor)->keys(), QList<QString>({ f.firstID() }));
    }

    // A kept image shows at once while its window keeps the title it had;
    // a retitled window waits for the next capture, which replaces it.
    void keptImagesFollowTheTitle()
    {
        Fixture f;
        f.open();
        f.capture.completeCapture(0, f.bothCaptured());
        f.picker.dismissWindowPicker();

        f.desktop.updateWindow(f.second, [](Sim::SimWindow &window) { window.title = "Second, edited"; });
        f.open();
        QCOMPARE(f.shownImage(f.firstID()), std::optional<QImage>(image(Qt::red)));
        QVERIFY(!f.shownImage(f.secondID()));
        // Every card is captured again, the ones already showing an image too.
        QCOMPARE(f.capture.captures.size(), 2);
        QCOMPARE(f.capture.captures.last().previews.size(), 2);
        f.capture.completeCapture(1, f.captured(f.secondID(), Qt::green, "Second, edited"));
        QCOMPARE(f.shownImage(f.secondID()), std::optional<QImage>(image(Qt::green)));
        QCOMPARE(f.thumbnails.keptThumbnails(f.editor)->value(f.secondID()).title, std::optional<QString>("Second, edited"));
    }

    void sameCaptureIsNotRepeatedWithinASecond_data()
    {
        QTest::addColumn<qint64>("afterMs");
        QTest::addColumn<bool>("titleChanges");
        QTest::addColumn<int>("captures");
        QTest::newRow("0.999 s later, same titles") << qint64(999) << false << 1;
        QTest::newRow("1.0 s later, same titles") << qint64(1000) << false << 2;
        QTest::newRow("at once, a title changed") << qint64(0) << true << 2;
    }
    void sameCaptureIsNotRepeatedWithinASecond()
    {
        QFETCH(qint64, afterMs);
        QFETCH(bool, titleChanges);
        QFETCH(int, captures);
        Fixture f;
        f.open();
        // While it runs, the same request starts nothing.
        f.thumbnails.loadWindowThumbnails("com.example.Editor");
        QCOMPARE(f.capture.captures.size(), 1);
        f.capture.completeCapture(0, {});
        f.picker.dismissWindowPicker();

        f.clock.advance(afterMs);
        if (titleChanges)
            f.desktop.updateWindow(f.first, [](Sim::SimWindow &window) { window.title = "Renamed"; });
        f.open();
        QCOMPARE(f.capture.captures.size(), captures);
    }

    void captureThatNeverAnswersStopsBlockingAfterItsTimeOut()
    {
        Fixture f;
        f.open();
        f.clock.advance(WindowThumbnails::captureTimeoutMs - 1);
        f.thumbnails.loadWindowThumbnails("com.example.Editor");
        QCOMPARE(f.capture.captures.size(), 1);
        f.clock.advance(1);
        QVERIFY(!f.thumbnails.isCapturing());
        f.thumbnails.loadWindowThumbnails("com.example.Editor");
        QCOMPARE(f.capture.captures.size(), 2);
        // The stalled one answering at last cannot clear the newer request's mark.
        f.capture.completeCapture(0, f.captured(f.firstID(), Qt::red, "First"));
        QVERIFY(f.thumbnails.isCapturing());
        QCOMPARE(f.shownImage(f.firstID()), std::optional<QImage>(image(Qt::red)));
    }

    void resultForAnotherPickerOnlyFillsTheCache()
    {
        Fixture f;
        const qint32 mail = f.addApp("Mail");
        f.addWindow(mail, QRectF(300, 500, 600, 300), "Inbox");
        f.addWindow(mail, QRectF(400, 500, 600, 300), "Drafts");
        f.open();
        QVERIFY(f.picker.prepareWindowPicker(Fixture::appFor("Mail"), 1));
        f.capture.completeCapture(0, f.captured(f.firstID(), Qt::red, "First"));
        for (const WindowPreviewItem &preview : f.picker.windowPreviews())
            QVERIFY(!preview.thumbnail);
        QVERIFY(f.thumbnails.keptThumbnails(f.editor)->contains(f.firstID()));
    }

    void imagesWaitForTheOpeningAnimation()
    {
        Fixture f;
        const auto previews = f.store->windowPreviewCache().cachedOrFetchedWindowPreviews(f.app(f.editor));
        f.picker.presentWindowPicker(Fixture::appFor("Editor"), f.picker.orderedWindowPreviews(previews), 1);
        f.capture.completeCapture(0, f.captured(f.firstID(), Qt::red, "First"));
        QVERIFY(!f.shownImage(f.firstID()));
        f.clock.advance(WindowPicker::openingAnimationMs);
        QCOMPARE(f.shownImage(f.firstID()), std::optional<QImage>(image(Qt::red)));
    }

    void withoutPermissionNothingIsCapturedOrShown()
    {
        Fixture f;
        f.open();
        f.capture.completeCapture(0, f.captured(f.firstID(), Qt::red, "First"));
        f.picker.dismissWindowPicker();
        f.capture.granted = false;
        f.clock.advance(5000);
        f.open();
        QCOMPARE(f.capture.captures.size(), 1);
        QVERIFY(!f.shownImage(f.firstID()));
        QVERIFY(!f.store->permissions().hasScreenCapturePermission());
    }

    void closedWindowsLeaveTheCache()
    {
        Fixture f;
        f.open();
        f.capture.completeCapture(0, f.bothCaptured());
        f.picker.dismissWindowPicker();
        f.desktop.updateWindow(f.first, [](Sim::SimWindow &window) { window.title = "Renamed"; });
        const quint32 third = f.addWindow(f.editor, QRectF(200, 200, 600, 400), "Third");
        f.desktop.beginClose(f.second);
        f.clock.advance(5000);
        f.store->windowPreviewCache().refreshWindowPreviewCache(f.app(f.editor), false);
        f.background.runAll();
        f.open();
        f.capture.completeCapture(1, f.captured(WindowPreviewId::forWindow(f.editor, third), Qt::green, "Third"));
        // The closed window's image is gone; the one not captured again is kept.
        QCOMPARE(f.thumbnails.keptThumbnails(f.editor)->keys().size(), 2);
        QVERIFY(!f.thumbnails.keptThumbnails(f.editor)->contains(f.secondID()));
        QVERIFY(f.thumbnails.keptThumbnails(f.editor)->contains(f.firstID()));
    }

    void prefetchCapturesWhatIsMissing()
    {
        Fixture f;
        f.open();
        f.capture.completeCapture(0, f.captured(f.firstID(), Qt::red, "First"));
        f.picker.dismissWindowPicker();

        // The pointer enters the editor's button: only the window without an
        // image is captured, and the picker is not touched.
        const quint32 hidden = f.addWindow(f.editor, QRectF(200, 200, 600, 400), "Hidden",
            [](Sim::SimWindow &window) { window.inWindowList = false; });
        Q_UNUSED(hidden);
        f.store->windowPreviewCache().prefetchWindowPreviews(Fixture::appFor("Editor"));
        f.background.runAll();
        QCOMPARE(f.capture.captures.size(), 2);
        QCOMPARE(f.capture.captures.last().previews.size(), 1);
        QCOMPARE(f.capture.captures.last().previews.first().id, f.secondID());
        QVERIFY(f.thumbnails.isPrefetching(f.editor));
        // A second hover while it runs captures nothing more.
        f.thumbnails.prefetchThumbnails(f.store->windowPreviewCache().entry(f.editor)->previews);
        QCOMPARE(f.capture.captures.size(), 2);

        f.capture.completeCapture(1, f.captured(f.secondID(), Qt::blue, "Second"));
        QVERIFY(!f.thumbnails.isPrefetching(f.editor));
        QCOMPARE(f.thumbnails.keptThumbnails(f.editor)->size(), 2);
        // With everything kept, a further hover captures nothing.
        f.thumbnails.prefetchThumbnails(f.store->windowPreviewCache().entry(f.editor)->previews);
        QCOMPARE(f.capture.captures.size(), 2);
        QVERIFY(!f.thumbnails.isPrefetching(f.editor));
    }

    void prefetchesThatDoNothing_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::newRow("one window") << "one window";
        QTest::newRow("a picker is open") << "picker open";
        QTest::newRow("no permission") << "no permission";
    }
    void prefetchesThatDoNothing()
    {
        QFETCH(QString, situation);
        Fixture f;
        QList<WindowPreviewItem> previews
            = f.store->windowPreviewCache().cachedOrFetchedWindowPreviews(f.app(f.editor));
        if (situation == "one window")
            previews.removeLast();
        if (situation == "picker open") {
            const qint32 mail = f.addApp("Mail");
            f.addWindow(mail, QRectF(300, 500, 600, 300), "Inbox");
            f.addWindow(mail, QRectF(400, 500, 600, 300), "Drafts");
            QVERIFY(f.picker.prepareWindowPicker(Fixture::appFor("Mail"), 1));
        }
        if (situation == "no permission")
            f.store->permissions().setScreenCapturePermission(false);
        const qsizetype before = f.capture.captures.size();
        f.thumbnails.prefetchThumbnails(previews);
        QCOMPARE(f.capture.captures.size(), before);
        QVERIFY(!f.thumbnails.isPrefetching(f.editor));
    }

    void stalledPrefetchIsReleased()
    {
        Fixture f;
        const QList<WindowPreviewItem> previews
            = f.store->windowPreviewCache().cachedOrFetchedWindowPreviews(f.app(f.editor));
        f.thumbnails.prefetchThumbnails(previews);
        QVERIFY(f.thumbnails.isPrefetching(f.editor));
        f.clock.advance(WindowThumbnails::captureTimeoutMs);
        QVERIFY(!f.thumbnails.isPrefetching(f.editor));
        f.thumbnails.prefetchThumbnails(previews);
        QCOMPARE(f.capture.captures.size(), 2);
    }

    void runningAppsRefreshDropsQuitProcesses()
    {
        Fixture f;
        f.store = f.make(true);
        QVERIFY(f.store->windowPicker().prepareWindowPicker(Fixture::appFor("Editor"), 1));
        f.background.runAll();
        f.capture.completeCapture(0, f.captured(f.firstID(), Qt::red, "First"));
        QVERIFY(f.store->thumbnails().keptThumbnails(f.editor));
        QVERIFY(f.store->windowPreviewCache().entry(f.editor));
        f.desktop.killProcess(f.editor);
        f.store->refreshRunningApps();
        QVERIFY(!f.store->thumbnails().keptThumbnails(f.editor));
        QVERIFY(!f.store->windowPreviewCache().entry(f.editor));
        QVERIFY(!f.store->windowPicker().ordering().fixedOrder(f.editor));
    }
};

QTEST_GUILESS_MAIN(TestWindowThumbnails)
#include "tst_windowthumbnails.moc"
