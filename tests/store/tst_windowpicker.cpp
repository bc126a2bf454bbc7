#include "services/windowpreviewid.h"
#include "store/windowpicker.h"
#include "storeworld.h"

#include <QSignalSpy>
#include <QTest>

using namespace Velmora;

namespace {

const auto ids = Test::StoreWorld::previewIDs;
const auto appFor = Test::StoreWorld::appItem;

// An editor with two windows and a mail app with one, on display 1.
struct Fixture : Test::StoreWorld
{
    qint32 editor = addApp("Editor");
    quint32 first = addWindow(editor, QRectF(100, 100, 600, 400), "First");
    quint32 second = addWindow(editor, QRectF(800, 100, 600, 400), "Second");
    qint32 mail = addApp("Mail");
    quint32 inbox = addWindow(mail, QRectF(300, 500, 600, 300), "Inbox");
    std::unique_ptr<TaskbarStore> store = make(false);
    WindowPicker &picker = store->windowPicker();
    Flyouts &flyouts = store->flyouts();

    QString id(qint32 pid, quint32 window) const { return WindowPreviewId::forWindow(pid, window); }

    // The picker as a click opens it: the editor's cards, with the opening gate.
    void presentEditor()
    {
        const auto previews = store->windowPreviewCache().cachedOrFetchedWindowPreviews(app(editor));
        picker.presentWindowPicker(appFor("Editor"), picker.orderedWindowPreviews(previews), 1);
        background.runAll();
    }
    // A fresh listing of the editor arrives from the background.
    void fetchEditor()
    {
        store->windowPreviewCache().refreshWindowPreviewCache(app(editor), false);
        background.runAll();
    }
};

} // namespace

class TestWindowPicker : public QObject
{
    Q_OBJECT
private slots:
    void pressOpensThePickerForTwoWindows()
    {
        Fixture f;
        f.flyouts.toggleStartMenu(1);
        QVERIFY(f.picker.prepareWindowPicker(appFor("Editor"), 1));
        QCOMPARE(f.picker.windowPickerAppID(), std::optional<QString>("com.example.Editor"));
        QCOMPARE(f.flyouts.presentedDisplayID(), std::optional<quint32>(1));
        QVERIFY(!f.flyouts.isStartMenuPresented());
        QCOMPARE(f.tooltip.hides, 1);
        // In the listing's order, front to back, which the fixed order keeps from now on.
        QCOMPARE(ids(f.picker.windowPreviews()), QStringList({ f.id(f.editor, f.second), f.id(f.editor, f.first) }));
        // Both windows are on screen; the opening has no gate after a press.
        QCOMPARE(f.picker.visibleWindowPreviewIDs().size(), 2);
        QVERIFY(!f.picker.pickerOpenAnimationEndsAt());
        QVERIFY(f.picker.isWindowPickerOpen("com.example.Editor"));
        QVERIFY(!f.picker.isWindowPickerOpen("com.example.Editor", 2));
    }

    void pressesThatOpenNothing_data()
    {
        QTest::addColumn<AppItem>("app");
        QTest::newRow("one window") << appFor("Mail");
        QTest::newRow("the settings window's button") << AppItem::velmoraSettings();
        QTest::newRow("the Task Manager's button") << AppItem::taskManager();
        QTest::newRow("an app that is not running") << appFor("Gone");
    }
    void pressesThatOpenNothing()
    {
        QFETCH(AppItem, app);
        Fixture f;
        f.flyouts.toggleTaskbarOverflow(1);
        QVERIFY(!f.picker.prepareWindowPicker(app, 1));
        // Nothing else changes: the overflow list stays open.
        QVERIFY(f.flyouts.isTaskbarOverflowPresented());
        QVERIFY(!f.picker.windowPickerAppID());
        QCOMPARE(f.tooltip.hides, 0);
    }

    void pressOnAnOpenPicker()
    {
        Fixture f;
        QVERIFY(f.picker.prepareWindowPicker(appFor("Editor"), 1));
        QSignalSpy previews(&f.picker, &WindowPicker::windowPreviewsChanged);
        // The same display: the press leaves it to the click to close it.
        QVERIFY(!f.picker.prepareWindowPicker(appFor("Editor"), 1));
        QCOMPARE(previews.size(), 0);
        // Another display: it closes there and opens here.
        QVERIFY(f.picker.prepareWindowPicker(appFor("Editor"), 2));
        QCOMPARE(f.flyouts.presentedDisplayID(), std::optional<quint32>(2));
    }

    void dismissal_data()
    {
        QTest::addColumn<QString>("otherFlyout");
        QTest::addColumn<bool>("keepsDisplay");
        QTest::newRow("nothing else open") << "" << false;
        QTest::newRow("Start menu presented") << "start" << true;
        QTest::newRow("search presented") << "search" << true;
        QTest::newRow("quick settings presented") << "quick" << true;
        QTest::newRow("overflow list presented") << "overflow" << false;
    }
    void dismissal()
    {
        QFETCH(QString, otherFlyout);
        QFETCH(bool, keepsDisplay);
        Fixture f;
        f.presentEditor();
        f.picker.setWindowPreviewIDsBeforeNewWindow(QSet<QString> {});
        f.picker.setAwaitingNewWindow(true);
        f.picker.setWindowPreviewIDToReveal(QString(WindowPicker::placeholderPreviewID));
        f.picker.setClosingWindowPreviewIDs({ f.id(f.editor, f.first) });
        f.picker.setKeepWindowPickerOpenUntil(f.clock.wallClockMs() + 5000);
        QVERIFY(f.picker.isKeepingWindowPickerOpen());
        f.flyouts.setStartMenuPresented(otherFlyout == "start");
        f.flyouts.setSearchPresented(otherFlyout == "search");
        f.flyouts.setQuickSettingsPresented(otherFlyout == "quick");
        f.flyouts.setTaskbarOverflowPresented(otherFlyout == "overflow");

        f.picker.dismissWindowPicker();
        QVERIFY(!f.picker.windowPickerAppID());
        QVERIFY(f.picker.windowPreviews().isEmpty());
        QVERIFY(f.picker.visibleWindowPreviewIDs().isEmpty());
        QVERIFY(f.picker.closingWindowPreviewIDs().isEmpty());
        QVERIFY(!f.picker.windowPreviewIDToReveal());
        QVERIFY(!f.picker.windowPreviewIDsBeforeNewWindow());
        QVERIFY(!f.picker.isAwaitingNewWindow());
        QVERIFY(!f.picker.isKeepingWindowPickerOpen());
        QVERIFY(!f.picker.pickerOpenAnimationEndsAt());
        QCOMPARE(f.flyouts.presentedDisplayID().has_value(), keepsDisplay);
    }

    // Fresh lists for a picker opened by a click wait for its opening
    // animation, then apply all at once, in the order they came.
    void openingGateHoldsThenApplies()
    {
        Fixture f;
        f.presentEditor();
        QCOMPARE(f.picker.pickerOpenAnimationEndsAt(), f.clock.monotonicMs() + WindowPicker::openingAnimationMs);
        QList<qsizetype> applied;
        connect(&f.picker, &WindowPicker::windowPreviewsChanged, &f.picker,
            [&] { applied.append(f.picker.windowPreviews().size()); });

        f.addWindow(f.editor, QRectF(200, 200, 600, 400), "Third");
        f.fetchEditor();
        f.addWindow(f.editor, QRectF(250, 250, 600, 400), "Fourth");
        f.clock.advance(100);
        f.fetchEditor();
        QVERIFY(applied.isEmpty());
        f.clock.advance(WindowPicker::openingAnimationMs - 101);
        QVERIFY(applied.isEmpty());
        f.clock.advance(1);
        QCOMPARE(applied, QList<qsizetype>({ 3, 4 }));
        QVERIFY(!f.picker.pickerOpenAnimationEndsAt());

        // The gate is open now: the next list applies at once.
        f.addWindow(f.editor, QRectF(300, 300, 600, 400), "Fifth");
        f.fetchEditor();
        QCOMPARE(applied, QList<qsizetype>({ 3, 4, 5 }));
    }

    // A list that arrives once the deadline passed but before the flush ran
    // must not jump the queue, nor may the held ones be lost.
    void lateArrivalAppliesWhatWasHeldFirst()
    {
        Fixture f;
        f.presentEditor();
        QList<qsizetype> applied;
        connect(&f.picker, &WindowPicker::windowPreviewsChanged, &f.picker,
            [&] { applied.append(f.picker.windowPreviews().size()); });
        f.addWindow(f.editor, QRectF(200, 200, 600, 400), "Third");
        f.fetchEditor();
        // Time passes with the main thread busy: the flush is overdue.
        f.clock.elapse(WindowPicker::openingAnimationMs);
        f.addWindow(f.editor, QRectF(250, 250, 600, 400), "Fourth");
        f.fetchEditor();
        QCOMPARE(applied, QList<qsizetype>({ 3, 4 }));
        f.clock.runPending();
        QCOMPARE(applied.size(), 2);
    }

    void heldListsDieWithThePicker_data()
    {
        QTest::addColumn<bool>("presentedAnew");
        QTest::newRow("dismissed") << false;
        QTest::newRow("presented anew") << true;
    }
    void heldListsDieWithThePicker()
    {
        QFETCH(bool, presentedAnew);
        Fixture f;
        f.presentEditor();
        f.addWindow(f.editor, QRectF(200, 200, 600, 400), "Third");
        f.fetchEditor();
        if (presentedAnew)
            f.presentEditor(); // from the cache, which the held fetch already filled: three cards
        else
            f.picker.dismissWindowPicker();
        const QList<WindowPreviewItem> before = f.picker.windowPreviews();
        QSignalSpy previews(&f.picker, &WindowPicker::windowPreviewsChanged);
        f.clock.advance(WindowPicker::openingAnimationMs * 2);
        QCOMPARE(previews.size(), 0);
        QCOMPARE(ids(f.picker.windowPreviews()), ids(before));
    }

    void barMovesTheDeadline()
    {
        Fixture f;
        f.presentEditor();
        f.addWindow(f.editor, QRectF(200, 200, 600, 400), "Third");
        f.fetchEditor();
        // Released early: the bar lets what waited through now.
        f.picker.setPickerOpenAnimationEndsAt(std::nullopt);
        QCOMPARE(f.picker.windowPreviews().size(), 3);
        // A deadline pushed back holds new lists until then.
        f.picker.setPickerOpenAnimationEndsAt(f.clock.monotonicMs() + 1000);
        f.addWindow(f.editor, QRectF(250, 250, 600, 400), "Fourth");
        f.fetchEditor();
        f.clock.advance(999);
        QCOMPARE(f.picker.windowPreviews().size(), 3);
        f.clock.advance(1);
        QCOMPARE(f.picker.windowPreviews().size(), 4);
    }

    void freshListKeepsImagesAndIgnoresOtherApps()
    {
        Fixture f;
        QVERIFY(f.picker.prepareWindowPicker(appFor("Editor"), 1));
        QList<WindowPreviewItem> shown = f.picker.windowPreviews();
        const QImage image(4, 4, QImage::Format_ARGB32);
        shown.first().thumbnail = image;
        f.picker.setWindowPreviews(shown);
        QSignalSpy previews(&f.picker, &WindowPicker::windowPreviewsChanged);

        // A listing of another process only fills the cache.
        f.store->windowPreviewCache().refreshWindowPreviewCache(f.app(f.mail), false);
        f.background.runAll();
        // The same windows again: nothing to publish.
        f.fetchEditor();
        QCOMPARE(previews.size(), 0);

        const quint32 third = f.addWindow(f.editor, QRectF(200, 200, 600, 400), "Third");
        f.fetchEditor();
        QCOMPARE(previews.size(), 1);
        const QList<WindowPreviewItem> &now = f.picker.windowPreviews();
        QCOMPARE(ids(now), QStringList({ f.id(f.editor, f.second), f.id(f.editor, f.first), f.id(f.editor, third) }));
        QCOMPARE(now.at(0).thumbnail, std::optional<QImage>(image));
        QVERIFY(!now.at(2).thumbnail);
        // The new card's visibility arrives from the background too.
        QCOMPARE(f.picker.visibleWindowPreviewIDs().size(), 3);
    }

    // A young cache answers a click with what it had; the refresh behind it
    // then brings the window that opened meanwhile into the open picker.
    void youngCacheIsRefreshedIntoTheOpenPicker()
    {
        Fixture f;
        QVERIFY(f.picker.prepareWindowPicker(appFor("Editor"), 1));
        f.background.runAll(); // the refresh the press started
        f.clock.advance(9900);
        f.addWindow(f.editor, QRectF(200, 200, 600, 400), "Third");
        QCOMPARE(f.store->windowPreviewCache().cachedOrFetchedWindowPreviews(f.app(f.editor)).size(), 2);
        QCOMPARE(f.picker.windowPreviews().size(), 2);
        f.background.runAll();
        QCOMPARE(f.picker.windowPreviews().size(), 3);
    }

    void placeholderSide_data()
    {
        QTest::addColumn<WindowPreviewSortOrder>("order");
        QTest::addColumn<bool>("first");
        QTest::newRow("last used: in front") << WindowPreviewSortOrder::LastUsed << true;
        QTest::newRow("alphabetical: at the end") << WindowPreviewSortOrder::Alphabetical << false;
        QTest::newRow("fixed: at the end") << WindowPreviewSortOrder::Fixed << false;
    }
    void placeholderSide()
    {
        QFETCH(WindowPreviewSortOrder, order);
        QFETCH(bool, first);
        Fixture f;
        f.store->setWindowPreviewSortOrder(order);
        QVERIFY(f.picker.prepareWindowPicker(appFor("Editor"), 1));
        const QStringList shown = ids(f.picker.windowPreviews());
        f.picker.setWindowPreviewIDsBeforeNewWindow(QSet<QString>(shown.cbegin(), shown.cend()));
        f.picker.setAwaitingNewWindow(true);
        const QString placeholder = WindowPicker::placeholderPreviewID;
        QCOMPARE(f.picker.displayedWindowPreviewIDs(), first ? QStringList { placeholder } + shown : shown + QStringList { placeholder });

        // A fresh list of the same windows: the wait goes on.
        f.fetchEditor();
        QVERIFY(f.picker.isAwaitingNewWindow());
        QCOMPARE(f.picker.displayedWindowPreviewIDs().size(), 3);

        // The new window takes the placeholder's place and is revealed.
        const quint32 third = f.addWindow(f.editor, QRectF(200, 200, 600, 400), "Third");
        f.fetchEditor();
        QVERIFY(!f.picker.isAwaitingNewWindow());
        QVERIFY(!f.picker.windowPreviewIDsBeforeNewWindow());
        QCOMPARE(f.picker.windowPreviewIDReplacingPlaceholder(), std::optional<QString>(f.id(f.editor, third)));
        QCOMPARE(f.picker.windowPreviewIDToReveal(), std::optional<QString>(f.id(f.editor, third)));
        QVERIFY(!f.picker.displayedWindowPreviewIDs().contains(placeholder));
    }

    void dragInFixedOrderAndResortOnOrderChange()
    {
        Fixture f;
        QVERIFY(f.picker.prepareWindowPicker(appFor("Editor"), 1));
        const QString a = f.id(f.editor, f.first), b = f.id(f.editor, f.second);
        QCOMPARE(ids(f.picker.windowPreviews()), QStringList({ b, a }));
        f.picker.moveWindowPreview(a, 0);
        QCOMPARE(ids(f.picker.windowPreviews()), QStringList({ a, b }));
        // The arrangement is remembered for the next listing.
        f.fetchEditor();
        QCOMPARE(ids(f.picker.windowPreviews()), QStringList({ a, b }));

        // Other orders take no drags, and changing the order re-sorts at once.
        f.store->setWindowPreviewSortOrder(WindowPreviewSortOrder::Alphabetical);
        QCOMPARE(ids(f.picker.windowPreviews()), QStringList({ a, b }));
        f.picker.moveWindowPreview(b, 0);
        QCOMPARE(ids(f.picker.windowPreviews()), QStringList({ a, b }));
        f.focus.recencies.insert(b, 7);
        f.store->setWindowPreviewSortOrder(WindowPreviewSortOrder::LastUsed);
        QCOMPARE(ids(f.picker.windowPreviews()), QStringList({ b, a }));
    }

    void visibilityInTheBackground()
    {
        Fixture f;
        QVERIFY(f.picker.prepareWindowPicker(appFor("Editor"), 1));
        f.background.runAll();
        QCOMPARE(f.picker.visibleWindowPreviewIDs().size(), 2);
        // The second window goes behind the first, entirely.
        f.desktop.moveWindow(f.second, QRectF(100, 100, 600, 400));
        f.desktop.setStackingOrder({ f.first, f.second });
        f.picker.refreshVisibleWindowPreviewsInBackground();
        f.picker.refreshVisibleWindowPreviewsInBackground();
        QCOMPARE(f.background.jobs.size(), 1);
        QVERIFY(f.picker.isRefreshingVisibleWindowPreviews());
        // A card that went meanwhile is not reported visible.
        f.picker.dismissWindowPicker();
        f.background.runAll();
        QVERIFY(f.picker.visibleWindowPreviewIDs().isEmpty());
        QVERIFY(!f.picker.isRefreshingVisibleWindowPreviews());

        QVERIFY(f.picker.prepareWindowPicker(appFor("Editor"), 1));
        QCOMPARE(f.picker.visibleWindowPreviewIDs(), QSet<QString>({ f.id(f.editor, f.first) }));
    }
};

QTEST_GUILESS_MAIN(TestWindowPicker)
#include "tst_windowpicker.moc"
