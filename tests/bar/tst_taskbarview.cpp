#include "bar/apptaskbarbutton.h"
#include "bar/barmenus.h"
#include "bar/applicationpopoverservices.h"
#include "bar/instantpopover.h"
#include "bar/instantpopoverwindow.h"
#include "bar/plainpreviewlist.h"
#include "bar/taskbariconbutton.h"
#include "bar/taskbarview.h"
#include "barworld.h"

#include <QMenu>
#include <QTest>

using namespace Velmora;
using Test::BarWorld;

namespace {

struct ViewWorld : BarWorld
{
    ApplicationPopoverServices popovers{clock, clock, animator, displays, eventTaps};
    std::unique_ptr<TaskbarView> view;

    explicit ViewWorld(const QStringList &apps = {"Editor", "Mail", "Notes"},
                       TaskbarViewEnvironment::StartMenuFactory startMenu = {}, bool shown = true)
        : BarWorld(apps)
    {
        TaskbarViewEnvironment environment{*store, actions, animator, icons, popovers};
        environment.startMenu = std::move(startMenu);
        view = std::make_unique<TaskbarView>(environment, 1);
        view->setWindowFlags(Qt::FramelessWindowHint | Qt::Tool);
        view->setGeometry(0, 843, 1000, 57);
        if (shown)
            show();
    }
    void show()
    {
        view->show();
        settle();
    }
    QPoint centreOf(QWidget *widget) const { return widget->rect().center(); }
};

// A stand-in for the Start menu: a fixed-size panel.
class MenuPanel : public QWidget
{
public:
    QSize sizeHint() const override { return {680, 400}; }
};

} // namespace

class TestTaskbarView : public QObject
{
    Q_OBJECT
private slots:
    // The widgets stand where the view-model lays them out.
    void buttonsFollowTheLayout()
    {
        ViewWorld w(BarWorld::numbered(16));
        const QList<AppTaskbarButton *> buttons = w.view->appButtons();
        QCOMPARE(buttons.size(), 13);
        const BarLayout layout = w.view->model().layout();
        for (qsizetype i = 0; i < buttons.size(); ++i)
            QCOMPARE(buttons.at(i)->geometry(), layout.appRect(i).toRect());
        QCOMPARE(w.view->startButton()->geometry(), layout.startRect()->toRect());
        QCOMPARE(w.view->searchButton()->geometry(), layout.searchRect()->toRect());
        QVERIFY(w.view->overflowButton()->isVisible());
        QCOMPARE(w.view->overflowButton()->geometry(), layout.overflowRect()->toRect());

        w.store->setShowSearch(false);
        w.settle();
        QVERIFY(!w.view->searchButton()->isVisible());
        QCOMPARE(w.view->appButtons().size(), 14);
    }

    // A click on an app with two windows shows its picker above its button,
    // listing the windows; a click on one with one window goes to the store.
    void clickOpensThePickerAboveTheButton()
    {
        ViewWorld w;
        AppTaskbarButton *editor = w.view->appButton(w.app("Editor").id);
        QTest::mousePress(editor, Qt::LeftButton, {}, w.centreOf(editor));
        w.settle();
        InstantPopover *popover = w.view->pickerPopover(editor->appID());
        QVERIFY(popover);
        QVERIFY(!popover->isShown()); // held back until the release
        QTest::mouseRelease(editor, Qt::LeftButton, {}, w.centreOf(editor));
        w.settle();
        QVERIFY(popover->isShown());
        const QRect window = popover->window()->geometry();
        const QRect button(editor->mapToGlobal(QPoint(0, 0)), editor->size());
        QVERIFY2(window.bottom() < button.top(), qPrintable(QString("%1 above %2").arg(window.bottom()).arg(button.top())));
        QVERIFY(std::abs(window.center().x() - button.center().x()) <= 1);
        auto *list = popover->content()->findChild<PlainPreviewList *>();
        QVERIFY(list);
        QCOMPARE(list->previews().size(), 2);

        // Closing the picker in the store takes the popover away.
        w.store->flyouts().dismissFlyouts();
        w.settle();
        QVERIFY(!popover->isShown());

        AppTaskbarButton *mail = w.view->appButton(w.app("Mail").id);
        QTest::mouseClick(mail, Qt::LeftButton, {}, w.centreOf(mail));
        QCOMPARE(w.actions.take(), QStringList({"click:com.example.Mail@1"}));
    }

    // Start opens its menu centred above the button, lit while it is open;
    // Escape, or another flyout, closes it and the button goes dark. The
    // menu is made at its first opening, not with the bar, and then kept.
    void startOpensItsMenuAboveTheButton()
    {
        QList<quint32> built;
        ViewWorld w({"Editor", "Mail", "Notes"}, [&built](quint32 displayID) -> QWidget * {
            built << displayID;
            return new MenuPanel;
        }, false);
        // Not made with the bar, but once the bar has been drawn, so the
        // first opening costs no more than any other.
        QVERIFY(built.isEmpty());
        QVERIFY(!w.view->startMenuPopover());
        w.show();
        QTRY_COMPARE(built, QList<quint32>{1});
        InstantPopover *popover = w.view->startMenuPopover();
        QVERIFY(popover);
        QVERIFY(!popover->isShown());
        TaskbarIconButton *start = w.view->startButton();
        QTest::mouseClick(start, Qt::LeftButton, {}, w.centreOf(start));
        w.settle();
        QCOMPARE(w.view->startMenuPopover(), popover);
        QVERIFY(popover->isShown());
        QVERIFY(start->model().isActive());
        const QRect window = popover->window()->geometry();
        const QRect button(start->mapToGlobal(QPoint(0, 0)), start->size());
        QCOMPARE(window.size(), QSize(680, 400));
        QVERIFY(window.bottom() < button.top());
        QVERIFY(std::abs(window.center().x() - button.center().x()) <= 1);

        QTest::keyClick(popover->window(), Qt::Key_Escape);
        w.settle();
        QVERIFY(!popover->isShown());
        QVERIFY(!w.store->flyouts().isStartMenuPresented());
        QVERIFY(!start->model().isActive());

        QTest::mouseClick(start, Qt::LeftButton, {}, w.centreOf(start));
        w.settle();
        QVERIFY(popover->isShown());
        w.store->flyouts().toggleTaskbarOverflow(1);
        w.settle();
        QVERIFY(!popover->isShown());
        QVERIFY(!start->model().isActive());
        QCOMPARE(w.view->startMenuPopover(), popover);
        QCOMPARE(built.size(), 1);
    }

    // Start activated other than by a click (accessibility, a keyboard)
    // opens at once, with no release to wait for, also before the bar was
    // first drawn: the menu is made then, once, and shows in the same turn.
    void startActivatedWithoutAClickOpensTheMenuAtOnce()
    {
        QList<quint32> built;
        ViewWorld w({"Editor"}, [&built](quint32 displayID) -> QWidget * {
            built << displayID;
            return new MenuPanel;
        }, false);
        w.view->show();
        w.view->startButton()->model().activate();
        QTest::qWait(20); // the bar is drawn meanwhile
        w.settle();
        QCOMPARE(built, QList<quint32>{1});
        QVERIFY(w.view->startMenuPopover() && w.view->startMenuPopover()->isShown());
        QVERIFY(w.view->startButton()->model().isActive());
    }

    // Dragging a button along the bar and letting go stores the new order.
    void dragReordersTheBar()
    {
        ViewWorld w;
        AppTaskbarButton *editor = w.view->appButton(w.app("Editor").id);
        const QPoint start = w.centreOf(editor);
        QTest::mousePress(editor, Qt::LeftButton, {}, start);
        for (int dx = 4; dx <= 52; dx += 4)
            QTest::mouseMove(editor, start + QPoint(dx, 0));
        w.settle();
        QCOMPARE(editor->x(), int(w.view->model().layout().appRect(0).left()) + 52);
        QTest::mouseRelease(editor, Qt::LeftButton, {}, start + QPoint(52, 0));
        w.settle();
        QCOMPARE(w.barNames(), QStringList({"Mail", "Editor", "Notes"}));
        QCOMPARE(editor->geometry(), w.view->model().layout().appRect(1).toRect());
    }

    // Running apps carry the small indicator under their icon, on the bar's dark ground.
    void runningIndicator()
    {
        ViewWorld w;
        AppTaskbarButton *mail = w.view->appButton(w.app("Mail").id);
        const QImage image = w.view->grab().toImage();
        const QPoint bottom = mail->geometry().bottomLeft() + QPoint(0, 1);
        const QColor indicator = image.pixelColor(bottom + QPoint(22, -2 - 2));
        QVERIFY2(indicator.lightness() > 120, qPrintable(indicator.name()));
        const QColor beside = image.pixelColor(bottom + QPoint(8, -2 - 2));
        QVERIFY2(beside.lightness() < 80, qPrintable(beside.name()));
        const QColor hairline = image.pixelColor(500, 0);
        QVERIFY2(hairline.lightness() > beside.lightness(), qPrintable(hairline.name()));
    }

    // A button joining the bar fades in; one leaving fades out in its place
    // and then goes. Reduced motion keeps the fades.
    void buttonsFadeInAndOut_data()
    {
        QTest::addColumn<bool>("reduceMotion");
        QTest::newRow("motion") << false;
        QTest::newRow("reduced motion") << true;
    }
    void buttonsFadeInAndOut()
    {
        QFETCH(bool, reduceMotion);
        ViewWorld w;
        w.animator.setInstant(false);
        w.animator.setReducesMotion(reduceMotion);
        w.addApp("Photos");
        w.store->refreshRunningApps();
        w.clock.runPending();
        QPointer<AppTaskbarButton> photos = w.view->appButton("com.example.Photos");
        QVERIFY(photos);
        QCOMPARE(photos->presence(), 0.0);
        w.clock.advance(400);
        QCOMPARE(photos->presence(), 1.0);

        w.desktop.killProcess(w.workspace.runningApplications("com.example.Photos").constFirst().processIdentifier);
        w.store->refreshRunningApps();
        w.clock.runPending();
        QVERIFY(!w.view->appButton("com.example.Photos"));
        QVERIFY(photos);
        w.clock.advance(100);
        QVERIFY(photos && photos->presence() > 0 && photos->presence() < 1);
        w.clock.advance(400);
        QTRY_VERIFY(photos.isNull());
    }

    // An open menu takes rediscovered commands in place: the entries around
    // them stay where they were.
    void menuCommandsReplacedInPlace()
    {
        ViewWorld w;
        ApplicationMenuAction newWindow;
        newWindow.kind = ApplicationMenuAction::Kind::newWindow;
        newWindow.title = "New Window";
        newWindow.isEnabled = false;
        const qint32 pid = w.workspace.runningApplications("com.example.Mail").constFirst().processIdentifier;
        w.store->menuActions().cacheApplicationMenuActions({{pid, {newWindow}}}, {pid});
        AppMenuModel model(*w.store, w.actions, w.app("Mail"), 1);
        std::unique_ptr<QMenu> menu(BarMenus::build(model.entries()));
        const auto texts = [&] {
            QStringList list;
            for (QAction *action : menu->actions())
                list << (action->isSeparator() ? QString("-") : action->text() + (action->isEnabled() ? "" : "*"));
            return list;
        };
        QCOMPARE(texts(), QStringList({"Inbox", "-", "New Window*", "-", "Options", "-", "Show All Windows", "Hide", "Quit"}));
        ApplicationMenuAction find;
        find.kind = ApplicationMenuAction::Kind::find;
        find.title = "Find";
        newWindow.isEnabled = true;
        BarMenus::replace(menu.get(), *model.applyCommands({newWindow, find}));
        QCOMPARE(texts(),
                 QStringList({"Inbox", "-", "New Window", "Find", "-", "Options", "-", "Show All Windows", "Hide", "Quit"}));
    }
};

QTEST_MAIN(TestTaskbarView)
#include "tst_taskbarview.moc"
