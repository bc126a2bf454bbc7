#include "picker/model/windowpickerviewmodel.h"
#include "pickerworld.h"

#include <QSignalSpy>
#include <QTest>

using namespace Velmora;

namespace {

using Kind = ApplicationMenuAction::Kind;

struct Picker : Test::PickerWorld
{
    std::unique_ptr<WindowPickerViewModel> model;

    explicit Picker(int count = 2)
        : PickerWorld(count)
    {
    }

    WindowPickerViewModel &make(std::optional<quint32> displayID = 1)
    {
        model = std::make_unique<WindowPickerViewModel>(*store, appItem("Editor"), displayID, 159, animator);
        return *model;
    }

    // Visibility computations the store has started and not finished.
    int refreshesInFlight() const { return int(background.jobs.size()); }

    void cacheEditorActions(const QList<ApplicationMenuAction> &actions)
    {
        store->menuActions().cacheApplicationMenuActions({ { editor, actions } }, { editor });
    }
};

ApplicationMenuAction action(Kind kind, bool enabled = true)
{
    ApplicationMenuAction a;
    a.kind = kind;
    a.title = ApplicationMenuAction::rawValue(kind);
    a.isEnabled = enabled;
    return a;
}

} // namespace

class TestWindowPickerViewModel : public QObject
{
    Q_OBJECT
private slots:
    void sizeFollowsTheDisplayedCards_data()
    {
        QTest::addColumn<int>("windows");
        QTest::addColumn<bool>("open");
        QTest::addColumn<bool>("awaiting");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("scrollerHeight");
        QTest::addColumn<bool>("knob");
        QTest::newRow("closing: nothing displayed") << 2 << false << false << 260.0 << 183.0 << false;
        QTest::newRow("1") << 1 << true << false << 266.0 << 183.0 << false;
        QTest::newRow("2") << 2 << true << false << 496.0 << 183.0 << false;
        QTest::newRow("3") << 3 << true << false << 726.0 << 183.0 << false;
        QTest::newRow("4") << 4 << true << false << 740.0 << 197.0 << true;
        QTest::newRow("5") << 5 << true << false << 740.0 << 197.0 << true;
        QTest::newRow("10") << 10 << true << false << 740.0 << 197.0 << true;
        QTest::newRow("3 and an awaited window") << 3 << true << true << 740.0 << 197.0 << true;
    }
    void sizeFollowsTheDisplayedCards()
    {
        QFETCH(int, windows);
        QFETCH(bool, open);
        QFETCH(bool, awaiting);
        QFETCH(double, width);
        QFETCH(double, scrollerHeight);
        QFETCH(bool, knob);
        Picker p(windows);
        WindowPickerViewModel &model = p.make();
        if (open)
            p.openEditor();
        p.picker().setAwaitingNewWindow(awaiting);
        p.clock.runPending();
        QCOMPARE(model.pickerWidth(), width);
        QCOMPARE(model.previewScrollerHeight(), scrollerHeight);
        WindowPreviewScrollerModel &scroller = model.scroller();
        QCOMPARE(scroller.showsScroller(), knob);
        // The scroll view shows the picker's width less its padding.
        scroller.setVisibleWidth(width - 28);
        const QRectF bar = WindowPreviewScrollerModel::scrollerRect(QSizeF(width - 28, scrollerHeight));
        QCOMPARE(scroller.knobRect(bar).has_value(), knob);
    }

    // While the picker shows this app, the store is asked every 0.5 s which
    // windows are visible; a switch to another app or a closed picker stops it.
    void visibilityRefreshCadence()
    {
        Picker p;
        WindowPickerViewModel &model = p.make();
        QVERIFY(!model.isRefreshingVisibility());
        // Asked at once when the picker opens for this app.
        p.picker().presentWindowPicker(Picker::appItem("Editor"), {}, 1);
        QVERIFY(model.isRefreshingVisibility());
        QVERIFY(p.picker().isRefreshingVisibleWindowPreviews());
        p.background.runAll();
        QVERIFY(!p.picker().isRefreshingVisibleWindowPreviews());
        p.clock.advance(499);
        QCOMPARE(p.refreshesInFlight(), 0);
        p.clock.advance(1);
        QCOMPARE(p.refreshesInFlight(), 1);
        // One in flight: the store ignores the next request, and the loop keeps going.
        p.clock.advance(500);
        QCOMPARE(p.refreshesInFlight(), 1);
        p.background.runAll();
        p.clock.advance(500);
        QCOMPARE(p.refreshesInFlight(), 1);
        p.background.runAll();

        model.setShown(false);
        p.clock.advance(2000);
        QCOMPARE(p.refreshesInFlight(), 0);
        model.setShown(true);
        QCOMPARE(p.refreshesInFlight(), 1);
        p.background.runAll();

        p.openMail();
        QVERIFY(!model.isRefreshingVisibility());
        p.clock.advance(2000);
        QCOMPARE(p.refreshesInFlight(), 0);
    }

    // The visibility the store computes reaches the strip's state.
    void refreshedVisibilityIsPublished()
    {
        Picker p;
        WindowPickerViewModel &model = p.make();
        p.openEditor();
        p.clock.runPending();
        QSignalSpy changed(&model, &WindowPickerViewModel::changed);
        // The front window comes to be covered by a window of another app.
        p.addWindow(p.mail, QRectF(0, 0, 1440, 900), "Cover");
        p.clock.advance(500);
        p.background.runAll();
        QVERIFY(p.picker().visibleWindowPreviewIDs().isEmpty());
        p.clock.runPending();
        QVERIFY(!changed.isEmpty());
        QVERIFY(changed.last().first().toUInt() & WindowPickerViewModel::StripChanged);
    }

    void newWindowCommand_data()
    {
        QTest::addColumn<QList<ApplicationMenuAction>>("actions");
        QTest::addColumn<std::optional<Kind>>("offered");
        QTest::newRow("new window")
            << QList { action(Kind::newPrivateWindow), action(Kind::newWindow) } << std::optional(Kind::newWindow);
        QTest::newRow("Finder's new window")
            << QList { action(Kind::newFinderWindow) } << std::optional(Kind::newFinderWindow);
        QTest::newRow("disabled") << QList { action(Kind::newWindow, false) } << std::optional<Kind>();
        QTest::newRow("only private windows and documents")
            << QList { action(Kind::newPrivateWindow), action(Kind::newDocument) } << std::optional<Kind>();
        QTest::newRow("nothing discovered yet") << QList<ApplicationMenuAction> {} << std::optional<Kind>();
    }
    void newWindowCommand()
    {
        QFETCH(QList<ApplicationMenuAction>, actions);
        QFETCH(std::optional<Kind>, offered);
        Picker p;
        WindowPickerViewModel &model = p.make();
        p.cacheEditorActions(actions);
        QVERIFY(!model.newWindowAction()); // the picker is not open
        p.openEditor();
        const auto command = model.newWindowAction();
        QCOMPARE(command.has_value(), offered.has_value());
        QList<QPair<ApplicationMenuAction, qint32>> opened;
        model.setOpenNewWindow([&](const ApplicationMenuAction &a, const RunningApplication &application) {
            opened.append({ a, application.processIdentifier });
        });
        model.openNewWindow();
        if (!offered) {
            QVERIFY(opened.isEmpty());
            return;
        }
        QCOMPARE(command->action.kind, *offered);
        QCOMPARE(command->application.processIdentifier, p.editor);
        QCOMPARE(opened.size(), 1);
        QCOMPARE(opened.first().first.kind, *offered);
        QCOMPARE(opened.first().second, p.editor);
    }

    void menuCommandsArrivingLaterUpdateTheHeader()
    {
        Picker p;
        WindowPickerViewModel &model = p.make();
        p.openEditor();
        p.clock.runPending();
        QVERIFY(!model.newWindowAction());
        QSignalSpy changed(&model, &WindowPickerViewModel::changed);
        p.cacheEditorActions({ action(Kind::newWindow) });
        p.clock.runPending();
        QCOMPARE(changed.size(), 1);
        QVERIFY(changed.first().first().toUInt() & WindowPickerViewModel::HeaderChanged);
        QVERIFY(model.newWindowAction());
    }

    // The hint stays 2.5 s, and goes at once when the picker switches app.
    void dragHint()
    {
        Picker p;
        WindowPickerViewModel &model = p.make();
        p.openEditor();
        model.strip().dragRefused();
        QVERIFY(model.dragHint().isShowing());
        p.clock.advance(2499);
        QVERIFY(model.dragHint().isShowing());
        p.clock.advance(1);
        QVERIFY(!model.dragHint().isShowing());
        model.strip().dragRefused();
        p.clock.advance(1000);
        p.openMail();
        QVERIFY(!model.dragHint().isShowing());
    }

    void screenRecordingRowAndEscape()
    {
        Picker p;
        p.capture.granted = false;
        p.capture.grantsOnRequest = true;
        WindowPickerViewModel &model = p.make();
        p.openEditor();
        p.store->permissions().setScreenCapturePermission(false);
        QVERIFY(model.showsScreenRecordingRow());
        model.requestScreenCapturePermission();
        QCOMPARE(p.capture.requests, 1);
        QVERIFY(!model.showsScreenRecordingRow());

        model.dismiss();
        QCOMPARE(p.picker().windowPickerAppID(), std::nullopt);
        QCOMPARE(p.store->flyouts().presentedDisplayID(), std::nullopt);
    }

    // The scroller lays out what the store displays, on the next turn.
    void scrollerFollowsTheStore()
    {
        Picker p(5);
        WindowPickerViewModel &model = p.make();
        model.scroller().setVisibleWidth(704);
        p.openEditor();
        p.clock.runPending();
        QCOMPARE(model.scroller().documentWidth(), 1160.0);
        QCOMPARE(model.scroller().laidOutPreviewIDs(), std::optional<QStringList>(p.shownIDs()));
        // A window asked for shows up: the store asks for it to be revealed.
        p.picker().setWindowPreviewIDToReveal(p.shownIDs().last());
        p.clock.runPending();
        p.clock.runPending();
        p.clock.advance(300);
        QCOMPARE(model.scroller().offset(), 1160 - 704.0);
    }
};

QTEST_GUILESS_MAIN(TestWindowPickerViewModel)
#include "tst_windowpickerviewmodel.moc"
