#include "bar/model/appbuttonmodel.h"
#include "barworld.h"

#include <QSignalSpy>
#include <QTest>

using namespace Velmora;
using Test::BarWorld;

namespace {

// A popover that only counts what its presenter asks of it.
struct CountingPopover : QObject
{
    int shows = 0;
    int closes = 0;
    void attachTo(InstantPopoverPresenter &presenter)
    {
        presenter.attach(this, [this] { ++shows; }, [this] { ++closes; });
    }
};

} // namespace

class TestBarViewModel : public QObject
{
    Q_OBJECT
private slots:
    void capacity_data()
    {
        QTest::addColumn<qreal>("width");
        QTest::addColumn<qreal>("tray");
        QTest::addColumn<TaskbarButtonAlignment>("alignment");
        QTest::addColumn<bool>("start");
        QTest::addColumn<bool>("search");
        QTest::addColumn<qsizetype>("capacity");
        const auto centre = TaskbarButtonAlignment::Center;
        const auto left = TaskbarButtonAlignment::Left;
        const auto right = TaskbarButtonAlignment::Right;
        QTest::newRow("unmeasured") << 0.0 << 0.0 << centre << true << true << BarLayout::unboundedCapacity;
        QTest::newRow("centre 1000") << 1000.0 << 0.0 << centre << true << true << qsizetype(14);
        QTest::newRow("centre with tray") << 1000.0 << 28.0 << centre << true << true << qsizetype(13);
        QTest::newRow("centre, no Start or Search") << 1000.0 << 0.0 << centre << false << false << qsizetype(16);
        QTest::newRow("left 1000") << 1000.0 << 0.0 << left << true << true << qsizetype(18);
        QTest::newRow("right 1000") << 1000.0 << 0.0 << right << true << false << qsizetype(19);
        QTest::newRow("too narrow") << 150.0 << 0.0 << centre << true << true << qsizetype(0);
        QTest::newRow("negative width") << -5.0 << 0.0 << left << true << true << BarLayout::unboundedCapacity;
    }
    void capacity()
    {
        QFETCH(qreal, width);
        QFETCH(qreal, tray);
        QFETCH(TaskbarButtonAlignment, alignment);
        QFETCH(bool, start);
        QFETCH(bool, search);
        QFETCH(qsizetype, capacity);
        QCOMPARE(BarLayout::appSlotCapacity(width, tray, alignment, start, search), capacity);
    }

    // Where the row of Start, Search and three apps sits on a 1000-point bar.
    void placement_data()
    {
        QTest::addColumn<TaskbarButtonAlignment>("alignment");
        QTest::addColumn<qreal>("tray");
        QTest::addColumn<qreal>("rowLeft");
        QTest::newRow("left") << TaskbarButtonAlignment::Left << 0.0 << 6.0;
        // The spacers share what is left: (1000 - 12 - 24 - 232) / 2 = 366.
        QTest::newRow("centre") << TaskbarButtonAlignment::Center << 0.0 << 380.0;
        QTest::newRow("centre with tray") << TaskbarButtonAlignment::Center << 28.0 << 366.0;
        QTest::newRow("right") << TaskbarButtonAlignment::Right << 0.0 << 754.0;
        QTest::newRow("right with tray") << TaskbarButtonAlignment::Right << 28.0 << 726.0;
    }
    void placement()
    {
        QFETCH(TaskbarButtonAlignment, alignment);
        QFETCH(qreal, tray);
        QFETCH(qreal, rowLeft);
        BarWorld w;
        w.store->setButtonAlignment(alignment);
        w.bar->setBarWidth(1000);
        w.bar->setTrayWidth(tray);
        w.settle();
        const BarLayout layout = w.bar->layout();
        QCOMPARE(layout.rowRect(), QRectF(rowLeft, 7, 232, 44));
        QCOMPARE(*layout.startRect(), QRectF(rowLeft, 7, 44, 44));
        QCOMPARE(*layout.searchRect(), QRectF(rowLeft + 47, 7, 44, 44));
        QCOMPARE(*w.bar->appButtonRect(w.app("Mail").id), QRectF(rowLeft + 3 * 47, 7, 44, 44));
        QVERIFY(!layout.overflowRect());
        QCOMPARE(layout.trayRect(), QRectF(1000 - 6 - tray, 1, tray, 56));
    }

    // A full centred bar keeps its leading spacer at 190 points.
    void fullCentredBarShowsFourteenApps()
    {
        BarWorld w(BarWorld::numbered(14));
        w.bar->setBarWidth(1000);
        w.settle();
        QCOMPARE(w.bar->displayedTaskbarApps().size(), 14);
        QVERIFY(!w.bar->showsOverflowButton());
        QCOMPARE(w.bar->layout().rowRect().left(), 6 + 190 + 8);

        // One more, and the last slot goes to "Show more apps".
        w.addApp("App15");
        w.store->refreshRunningApps();
        w.settle();
        QCOMPARE(w.bar->displayedTaskbarApps().size(), 13);
        QCOMPARE(w.bar->overflow().apps().size(), 2);
        QVERIFY(w.bar->layout().overflowRect());
    }

    void unmeasuredBarShowsEveryApp()
    {
        BarWorld w(BarWorld::numbered(30));
        QCOMPARE(w.bar->displayedTaskbarApps().size(), 30);
        QVERIFY(!w.bar->showsOverflowButton());
    }

    // The app brought forward last takes the last slot of a full bar; an
    // activated app that is not on the bar changes nothing.
    void promotionKeepsTheFrontmostAppOnTheBar()
    {
        BarWorld w(BarWorld::numbered(16));
        w.bar->setBarWidth(1000);
        w.settle();
        QCOMPARE(w.shownNames().last(), "App13");
        RunningApplication app16 = w.workspace.runningApplications("com.example.App16").constFirst();
        emit w.workspace.applicationActivated(app16);
        w.settle();
        QCOMPARE(w.shownNames().last(), "App16");
        QCOMPARE(w.bar->overflow().apps().first().name, "App13");

        RunningApplication stranger;
        stranger.bundleIdentifier = "org.elsewhere";
        w.bar->promote(stranger);
        w.bar->promote(std::nullopt);
        w.settle();
        QCOMPARE(w.bar->promotedID(), std::optional<QString>("com.example.App16"));
    }

    // A choice in the overflow list shows the app on the bar, closes the
    // flyout, and then handles it as a click on its button.
    void overflowChoice()
    {
        BarWorld w(BarWorld::numbered(16));
        w.bar->setBarWidth(1000);
        w.settle();
        w.store->flyouts().toggleTaskbarOverflow(1);
        w.bar->chooseOverflowApp(w.app("App15"));
        QVERIFY(!w.store->flyouts().isTaskbarOverflowPresented());
        QCOMPARE(w.actions.calls, QStringList());
        w.settle();
        QCOMPARE(w.actions.take(), QStringList({"click:com.example.App15@1"}));
        QCOMPARE(w.shownNames().last(), "App15");
    }

    // The last overflowing app goes while the list is open: it closes on its
    // own display only.
    void overflowClosesWhenEmpty_data()
    {
        QTest::addColumn<quint32>("openOn");
        QTest::addColumn<bool>("closes");
        QTest::newRow("this display") << 1u << true;
        QTest::newRow("another display") << 2u << false;
    }
    void overflowClosesWhenEmpty()
    {
        QFETCH(quint32, openOn);
        QFETCH(bool, closes);
        BarWorld w(BarWorld::numbered(15));
        w.bar->setBarWidth(1000);
        w.settle();
        QVERIFY(w.bar->showsOverflowButton());
        w.store->flyouts().toggleTaskbarOverflow(openOn);
        w.desktop.killProcess(w.workspace.runningApplications("com.example.App15").constFirst().processIdentifier);
        w.store->refreshRunningApps();
        w.settle();
        QVERIFY(!w.bar->showsOverflowButton());
        QCOMPARE(w.store->flyouts().isTaskbarOverflowPresented(), !closes);
    }

    // Scripted presses on the buttons of Editor (two windows), Mail (one)
    // and what the bar asks for. Points are the pointer's path from the press;
    // the last is where it is released.
    void appPresses_data()
    {
        QTest::addColumn<QString>("app");
        QTest::addColumn<QList<QPointF>>("path");
        QTest::addColumn<int>("dismissingClicks");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<bool>("pickerShown");
        QTest::addColumn<QStringList>("order");
        const QStringList unchanged {"Editor", "Mail", "Notes"};
        QTest::newRow("click on one window") << "Mail" << QList<QPointF>{{0, 0}, {1, 1}} << 0
                                             << QStringList{"click:com.example.Mail@1"} << false << unchanged;
        // The picker opened at the press is shown at the release; no click.
        QTest::newRow("click on two windows") << "Editor" << QList<QPointF>{{0, 0}, {2, 0}} << 0
                                              << QStringList{} << true << unchanged;
        // Past 5 points the reorder starts and gives the picker up; back under 8 it is a click.
        QTest::newRow("moved 6 and back") << "Editor" << QList<QPointF>{{0, 0}, {6, 0}, {3, 0}} << 0
                                          << QStringList{"hideTooltip", "click:com.example.Editor@1"}
                                          << false << unchanged;
        // Having been 8 points away makes it a drag, wherever it ends.
        QTest::newRow("moved 9 and back") << "Mail" << QList<QPointF>{{0, 0}, {9, 0}, {0, 0}} << 0
                                          << QStringList{"hideTooltip"} << false << unchanged;
        QTest::newRow("drag one slot right") << "Editor" << QList<QPointF>{{0, 0}, {10, 0}, {30, 2}, {50, 0}} << 0
                                             << QStringList{"hideTooltip"} << false
                                             << QStringList{"Mail", "Editor", "Notes"};
        QTest::newRow("drag to the end") << "Editor" << QList<QPointF>{{0, 0}, {100, 0}, {200, 0}} << 0
                                         << QStringList{"hideTooltip"} << false
                                         << QStringList{"Mail", "Notes", "Editor"};
        // The press that closed a popover opens nothing.
        QTest::newRow("dismissing click") << "Editor" << QList<QPointF>{{0, 0}, {0, 0}} << 1 << QStringList{}
                                          << false << unchanged;
        // A release whose press never reached the bar is a click, unless it closed a popover.
        QTest::newRow("release only") << "Mail" << QList<QPointF>{{0, 0}} << 0
                                      << QStringList{"click:com.example.Mail@1"} << false << unchanged;
        QTest::newRow("release only, dismissing") << "Mail" << QList<QPointF>{{0, 0}} << 1 << QStringList{}
                                                  << false << unchanged;
    }
    void appPresses()
    {
        QFETCH(QString, app);
        QFETCH(QList<QPointF>, path);
        QFETCH(int, dismissingClicks);
        QFETCH(QStringList, calls);
        QFETCH(bool, pickerShown);
        QFETCH(QStringList, order);
        BarWorld w;
        w.bar->setBarWidth(1000);
        w.settle();
        CountingPopover popover;
        const AppItem item = w.app(app);
        InstantPopoverPresenter &presenter = w.bar->pickerPresenter(item.id);
        popover.attachTo(presenter);
        w.actions.dismissingClicks = dismissingClicks;
        w.clock.advance(1000);

        for (qsizetype i = 0; i + 1 < path.size(); ++i) {
            w.bar->appDragChanged(item, path.at(i));
            if (i == 0 && pickerShown) {
                // Open in the store at the press, held back on screen.
                QVERIFY(w.bar->isWindowPickerOpen(item.id));
                QVERIFY(presenter.isHoldingShow());
            }
        }
        w.bar->appDragEnded(item, path.last());
        w.settle();

        QCOMPARE(w.actions.take(), calls);
        QCOMPARE(popover.shows, pickerShown ? 1 : 0);
        QCOMPARE(w.bar->isWindowPickerOpen(item.id), pickerShown);
        QVERIFY(!presenter.isHoldingShow());
        QVERIFY(!w.bar->reorder());
        QVERIFY(!w.bar->appPress());
        QCOMPARE(w.barNames(), order);
        if (pickerShown)
            QCOMPARE(w.store->windowPicker().pickerOpenAnimationEndsAt(),
                     std::optional<qint64>(w.clock.monotonicMs() + 450));
    }

    // While a button is dragged it follows the pointer; its neighbours take
    // the slots it leaves; movements under half a point are not stored.
    void dragMovesTheButtonsAlong()
    {
        BarWorld w;
        w.bar->setBarWidth(1000);
        w.settle();
        const AppItem editor = w.app("Editor");
        const QRectF start = *w.bar->appButtonRect(editor.id);
        const QRectF mailSlot = *w.bar->appButtonRect(w.app("Mail").id);
        w.bar->appDragChanged(editor, {0, 0});
        w.bar->appDragChanged(editor, {30, 0});
        w.settle();
        QCOMPARE(w.shownNames(), QStringList({"Mail", "Editor", "Notes"}));
        QCOMPARE(w.bar->appButtonRect(editor.id)->left(), start.left() + 30);
        QCOMPARE(*w.bar->appButtonRect(w.app("Mail").id), start);
        w.bar->appDragChanged(editor, {30.3, 0});
        QCOMPARE(w.bar->reorder()->translation(), 30.0);
        QCOMPARE(*w.bar->appButtonRect(editor.id), mailSlot.translated(-17, 0));
        // Hovering during a drag shows nothing.
        w.actions.take();
        w.bar->hoverAppButton(w.app("Notes").id, true);
        QCOMPARE(w.actions.calls, QStringList());
        QVERIFY(!w.bar->appButton(w.app("Notes").id)->isHovered());
        // Only shown buttons drag: another app's gesture starts no session of its own.
        w.bar->appDragEnded(editor, {30, 0});
        QCOMPARE(w.barNames(), QStringList({"Mail", "Editor", "Notes"}));
    }

    // An app in the overflow list cannot be dragged.
    void overflowAppStartsNoReorder()
    {
        BarWorld w(BarWorld::numbered(16));
        w.bar->setBarWidth(1000);
        w.settle();
        const AppItem hidden = w.app("App15");
        w.bar->appDragChanged(hidden, {0, 0});
        w.bar->appDragChanged(hidden, {40, 0});
        QVERIFY(!w.bar->reorder());
        w.bar->appDragEnded(hidden, {40, 0});
        QCOMPARE(w.barNames(), BarWorld::numbered(16));
    }

    // A press whose end never comes releases what it prepared and leaves the
    // bar in its committed order.
    void cancelledPressReleasesItsPicker()
    {
        BarWorld w;
        w.bar->setBarWidth(1000);
        w.settle();
        const AppItem editor = w.app("Editor");
        w.bar->appDragChanged(editor, {0, 0});
        QVERIFY(w.bar->isWindowPickerOpen(editor.id));
        w.bar->appPressCancelled();
        QVERIFY(!w.bar->isWindowPickerOpen(editor.id));
        QVERIFY(!w.bar->pickerPresenter(editor.id).isHoldingShow());

        w.bar->appDragChanged(editor, {0, 0});
        w.bar->appDragChanged(editor, {60, 0});
        QVERIFY(w.bar->reorder());
        w.bar->appPressCancelled();
        w.settle();
        QVERIFY(!w.bar->reorder());
        QCOMPARE(w.barNames(), QStringList({"Editor", "Mail", "Notes"}));
        QCOMPARE(w.shownNames(), QStringList({"Editor", "Mail", "Notes"}));
    }

    // The Start button opens the menu's state at mouse-down and shows the
    // popover at the release inside; released outside, it closes again. A
    // press that closed the popover does not reopen it.
    void startButtonPresses_data()
    {
        QTest::addColumn<bool>("openBefore");
        QTest::addColumn<int>("dismissingClicks");
        QTest::addColumn<bool>("inside");
        QTest::addColumn<bool>("openAfter");
        QTest::addColumn<int>("shows");
        QTest::newRow("click") << false << 0 << true << true << 1;
        QTest::newRow("released outside") << false << 0 << false << false << 0;
        QTest::newRow("closing click") << true << 1 << true << false << 0;
        // Open, and not the click that closed it: a plain press toggles it shut.
        QTest::newRow("click while open") << true << 0 << true << false << 0;
    }
    void startButtonPresses()
    {
        QFETCH(bool, openBefore);
        QFETCH(int, dismissingClicks);
        QFETCH(bool, inside);
        QFETCH(bool, openAfter);
        QFETCH(int, shows);
        BarWorld w;
        CountingPopover popover;
        popover.attachTo(w.bar->startMenuPresenter());
        if (openBefore) {
            w.store->flyouts().toggleStartMenu(1);
            if (dismissingClicks)
                w.store->flyouts().dismissFlyouts(); // the popover's own closing
        }
        w.actions.dismissingClicks = dismissingClicks;
        w.bar->pressStartButton();
        if (!openBefore) {
            QCOMPARE(w.bar->isStartMenuOpen(), true);
            QVERIFY(w.bar->startMenuPresenter().isHoldingShow());
        }
        w.bar->releaseStartButton(inside);
        QCOMPARE(w.bar->isStartMenuOpen(), openAfter);
        QCOMPARE(popover.shows, shows);
        QVERIFY(!w.bar->startMenuPresenter().isHoldingShow());
        QVERIFY(!w.bar->flyoutPress());
    }

    // The Start menu open on another display moves here with one press.
    void startButtonTakesTheMenuFromAnotherDisplay()
    {
        BarWorld w;
        w.store->flyouts().toggleStartMenu(2);
        w.bar->pressStartButton();
        w.bar->releaseStartButton(true);
        QVERIFY(w.bar->isStartMenuOpen());
    }

    void searchClosesFlyoutsFirst()
    {
        BarWorld w;
        w.store->flyouts().toggleStartMenu(1);
        w.bar->search();
        QVERIFY(!w.store->flyouts().isStartMenuPresented());
        QCOMPARE(w.actions.take(), QStringList({"toggleSearch"}));
    }

    // Hovering a button schedules its title and fetches its windows ahead.
    void hoverSchedulesTheTooltip()
    {
        BarWorld w;
        const QString mail = w.app("Mail").id;
        w.bar->hoverAppButton(mail, true);
        QVERIFY(w.bar->appButton(mail)->isHovered());
        w.bar->hoverAppButton(mail, false);
        QCOMPARE(w.actions.take(), QStringList({"tooltip:Mail", "hideTooltip"}));
    }

    // One app starting or quitting tells that app's button alone, and the
    // bar's layout stays as it was.
    void runningStateReachesOneButton()
    {
        BarWorld w;
        w.defaults.setValue("PinnedApplicationBundleIdentifiers", QStringList());
        w.bar->setBarWidth(1000);
        w.settle();
        QSignalSpy editorChanged(w.bar->appButton(w.app("Editor").id), &AppButtonModel::changed);
        QSignalSpy notesChanged(w.bar->appButton(w.app("Notes").id), &AppButtonModel::changed);
        w.store->pin(w.app("Notes"));
        w.settle();
        editorChanged.clear();
        notesChanged.clear();
        const QRectF before = *w.bar->appButtonRect(w.app("Notes").id);
        w.desktop.killProcess(w.workspace.runningApplications("com.example.Notes").constFirst().processIdentifier);
        w.store->refreshRunningApps();
        w.settle();
        QCOMPARE(editorChanged.count(), 0);
        QCOMPARE(notesChanged.count(), 1);
        QVERIFY(!w.bar->appButton(w.app("Notes").id)->isRunning());
        QCOMPARE(*w.bar->appButtonRect(w.app("Notes").id), before);
    }
};

QTEST_GUILESS_MAIN(TestBarViewModel)
#include "tst_barviewmodel.moc"
