#include "bar/appcontextmenu.h"
#include "bar/appmenuitem.h"
#include "bar/barmenus.h"
#include "bar/model/instantpopoverpresenter.h"
#include "bar/taskbartooltipcontroller.h"
#include "bar/wrappedmenurow.h"
#include "platform/sim/simplatform.h"
#include "platform/sim/virtualclock.h"

#include <QAccessible>
#include <QApplication>
#include <QEnterEvent>
#include <QAccessibleActionInterface>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>

using namespace Velmora;

namespace {

// A stand-in for a bar button: it takes left presses and, like the real
// buttons, lets everything else travel up to its parent.
class Button : public QWidget
{
public:
    using QWidget::QWidget;
    int leftPresses = 0;
    int moves = 0;
    int leaves = 0;

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton && !event->modifiers().testFlag(Qt::ControlModifier))
            ++leftPresses;
        else
            event->ignore();
    }
    void mouseMoveEvent(QMouseEvent *) override { ++moves; }
    void leaveEvent(QEvent *) override { ++leaves; }
};

class FakePopover : public InstantPopoverClosing
{
public:
    int closed = 0;
    void closeImmediately() override { ++closed; }
};

const QString longTitle = "Quarterly planning — draft of the budget review for the infrastructure team, "
                          "second revision with comments";

} // namespace

class TestAppContextMenu : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_bar = std::make_unique<QWidget>();
        m_bar->resize(300, 57);
        m_button = new Button(m_bar.get());
        m_button->setGeometry(10, 6, 44, 44);
        m_plain = new Button(m_bar.get());
        m_plain->setGeometry(60, 6, 44, 44);
        m_bar->show();
        m_built = 0;
        m_chosen = 0;
    }
    void cleanup() { m_bar.reset(); }

    // Ordinary clicks and drags reach the button; right-clicks and
    // Control-clicks open a freshly built menu instead.
    void menuPosition_data()
    {
        QTest::addColumn<QPoint>("pointer");
        QTest::addColumn<QPoint>("expected");
        // A 200 x 100 menu on a 1000 x 800 screen.
        QTest::newRow("room below") << QPoint(300, 400) << QPoint(300, 400);
        QTest::newRow("on the bar: above the pointer") << QPoint(300, 770) << QPoint(300, 670);
        QTest::newRow("exactly fits below") << QPoint(300, 700) << QPoint(300, 700);
        QTest::newRow("right edge") << QPoint(950, 770) << QPoint(800, 670);
    }
    void menuPosition()
    {
        QFETCH(QPoint, pointer);
        QFETCH(QPoint, expected);
        QCOMPARE(AppContextMenu::menuPosition(pointer, QSize(200, 100), QRect(0, 0, 1000, 800)), expected);
    }

    void claimsOnlyMenuClicks()
    {
        AppContextMenu *anchor = AppContextMenu::attach(m_button, [this] { return makeMenu("Button"); });
        QTest::mouseClick(m_button, Qt::LeftButton);
        QTest::mouseMove(m_button, QPoint(20, 20));
        QCOMPARE(m_button->leftPresses, 1);
        QCOMPARE(m_built, 0);

        QTest::mousePress(m_button, Qt::RightButton);
        QCOMPARE(m_built, 1);
        QVERIFY(anchor->openMenu() && anchor->openMenu()->isVisible());
        QCOMPARE(anchor->openMenu()->title(), QString("Button"));
        closeMenu(anchor);

        QTest::mousePress(m_button, Qt::LeftButton, Qt::ControlModifier);
        QCOMPARE(m_built, 2);
        QCOMPARE(m_button->leftPresses, 1);
        closeMenu(anchor);
    }

    // Where no button has a menu of its own, a right-click travels up to the
    // bar and opens the bar's menu.
    void barMenuOpensWhereNoButtonHasOne()
    {
        AppContextMenu *barAnchor = AppContextMenu::attach(m_bar.get(), [this] { return makeMenu("Bar"); });
        AppContextMenu::attach(m_button, [this] { return makeMenu("Button"); });
        QTest::mousePress(m_plain, Qt::RightButton);
        QVERIFY(barAnchor->openMenu());
        QCOMPARE(barAnchor->openMenu()->title(), QString("Bar"));
        closeMenu(barAnchor);
        QTest::mousePress(m_button, Qt::RightButton);
        QVERIFY(!barAnchor->openMenu());
        QCOMPARE(AppContextMenu::of(m_button)->openMenu()->title(), QString("Button"));
        closeMenu(AppContextMenu::of(m_button));
        // Attaching again replaces the builder, not the anchor.
        QCOMPARE(AppContextMenu::attach(m_button, [this] { return makeMenu("Again"); }), AppContextMenu::of(m_button));
    }

    // Before the menu opens the tooltip goes and every flyout closes at once.
    void openingAMenuHidesTheTooltipAndClosesFlyouts()
    {
        Sim::VirtualClock clock;
        Sim::SimPlatform platform(clock);
        TaskbarTooltipController tooltip(clock, platform.displays);
        FakePopover picker;
        AppContextMenu *anchor = AppContextMenu::attach(m_button, [this] { return makeMenu("Button"); }, &tooltip);
        bool hiddenFirst = false;
        connect(anchor, &AppContextMenu::menuOpened, this,
                [&] { hiddenFirst = !tooltip.isPending() && picker.closed == 1; });
        tooltip.schedule("Safari");
        QTest::mousePress(m_button, Qt::RightButton);
        QVERIFY(hiddenFirst);
        closeMenu(anchor);
    }

    // Each menu lives only while it is shown.
    void menuGoesOnceClosed()
    {
        AppContextMenu *anchor = AppContextMenu::attach(m_button, [this] { return makeMenu("Button"); });
        const QPointer<QMenu> menu = anchor->popUp(QPoint(10, 10));
        QVERIFY(menu);
        menu->hide();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!menu);
        AppContextMenu::attach(m_button, [] { return nullptr; });
        QTest::mousePress(m_button, Qt::RightButton);
        QVERIFY(!anchor->openMenu());
    }

    // The open menu held the pointer: a button it left while the menu was
    // open loses its hover look when the menu closes, one still under the
    // pointer keeps it.
    void closingAMenuEndsHoversThePointerLeftMeanwhile()
    {
        AppContextMenu *anchor = AppContextMenu::attach(m_button, [this] { return makeMenu("Button"); });
        QTest::mouseMove(m_button, QPoint(20, 20));
        QTRY_VERIFY(m_button->testAttribute(Qt::WA_UnderMouse));
        QTest::mousePress(m_button, Qt::RightButton, Qt::NoModifier, QPoint(20, 20));
        QVERIFY(anchor->openMenu());
        // As under X11, where the button hears nothing while the menu holds the pointer.
        m_button->setAttribute(Qt::WA_UnderMouse);
        const int leavesBefore = m_button->leaves;

        QCursor::setPos(m_bar->mapToGlobal(QPoint(250, 200)));
        closeMenu(anchor);
        QCOMPARE(m_button->leaves, leavesBefore + 1);
        QVERIFY(!m_button->testAttribute(Qt::WA_UnderMouse));

        m_plain->setAttribute(Qt::WA_UnderMouse);
        QCursor::setPos(m_plain->mapToGlobal(QPoint(5, 5)));
        AppContextMenu::endStaleHovers(m_bar.get());
        QVERIFY(m_plain->testAttribute(Qt::WA_UnderMouse));
        QCOMPARE(m_plain->leaves, 0);
    }

    // Every menu of the bar has the product's dark look, its submenus too.
    void barMenusAreDark()
    {
        AppMenuEntry item;
        item.title = "Hide";
        AppMenuEntry options;
        options.kind = AppMenuEntry::Kind::Submenu;
        options.title = "Options";
        options.submenu = {item};
        std::unique_ptr<QMenu> menu(BarMenus::build({item, options}, nullptr));
        QMenu *submenu = menu->findChild<QMenu *>();
        QVERIFY(submenu);
        for (QMenu *each : {menu.get(), submenu}) {
            const QImage look = each->grab().toImage();
            const QColor background = look.pixelColor(look.width() / 2, look.height() - 3);
            QVERIFY2(background.lightness() < 80, qPrintable(background.name()));
        }
    }

    // Long titles get a wrapped row; the item keeps its plain title.
    void longTitlesGetAWrappedRow()
    {
        QMenu menu;
        AppMenuItem *shortItem = AppMenuItem::add(&menu, "Hide", QIcon(), [] {});
        AppMenuItem *longItem = AppMenuItem::add(&menu, longTitle, QIcon(), [] {});
        QVERIFY(!shortItem->defaultWidget());
        auto *row = qobject_cast<WrappedMenuRow *>(longItem->defaultWidget());
        QVERIFY(row);
        QCOMPARE(longItem->text(), longTitle);
        QVERIFY(row->title().contains(u'\n'));
        QVERIFY(row->sizeHint().width() > 360); // the text column and its margins
        QVERIFY(row->sizeHint().height() > 2 * menu.fontMetrics().height());
    }

    // A click on an enabled wrapped row closes the menu and runs the handler
    // once; on a disabled one, or released outside the row, nothing happens.
    void wrappedRowRunsItsItemOnce_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QPoint>("release"); // in the row's coordinates; (-1, -1): inside
        QTest::addColumn<int>("handled");
        QTest::newRow("enabled") << true << QPoint(-1, -1) << 1;
        QTest::newRow("disabled") << false << QPoint(-1, -1) << 0;
        QTest::newRow("released outside") << true << QPoint(20, -30) << 0;
    }
    void wrappedRowRunsItsItemOnce()
    {
        QFETCH(bool, enabled);
        QFETCH(QPoint, release);
        QFETCH(int, handled);
        AppContextMenu *anchor = AppContextMenu::attach(m_button, [this, enabled] {
            QMenu *menu = makeMenu("Windows");
            AppMenuItem::add(menu, longTitle, QIcon(), [this] { ++m_chosen; })->setEnabled(enabled);
            return menu;
        });
        QTest::mousePress(m_button, Qt::RightButton);
        QMenu *menu = anchor->openMenu();
        WrappedMenuRow *row = menu->findChild<WrappedMenuRow *>();
        QVERIFY(row && row->isVisible());
        const QPoint inside = row->rect().center();
        QTest::mousePress(row, Qt::LeftButton, {}, inside);
        QTest::mouseRelease(row, Qt::LeftButton, {}, release == QPoint(-1, -1) ? inside : release);
        QCOMPARE(m_chosen, handled);
        QCOMPARE(menu->isVisible(), handled == 0);
        if (menu->isVisible())
            closeMenu(anchor);
    }

    // The pointer entering a row makes its item the menu's current one, so
    // the item lit before goes dark; a disabled row lights nothing.
    void hoveringARowMakesItCurrent()
    {
        QMenu menu;
        QAction *hide = AppMenuItem::add(&menu, "Hide", QIcon(), [] {});
        AppMenuItem *item = AppMenuItem::add(&menu, longTitle, QIcon(), [] {});
        menu.popup(QPoint(0, 0));
        auto *row = qobject_cast<WrappedMenuRow *>(item->defaultWidget());
        auto enter = [row] {
            QEnterEvent event(QPointF(5, 5), row->mapTo(row->window(), QPointF(5, 5)), row->mapToGlobal(QPointF(5, 5)));
            QApplication::sendEvent(row, &event);
        };
        menu.setActiveAction(hide);
        enter();
        QCOMPARE(menu.activeAction(), item);
        QVERIFY(row->isHighlighted());
        item->setEnabled(false);
        menu.setActiveAction(hide);
        enter();
        QCOMPARE(menu.activeAction(), nullptr);
        QVERIFY(!row->isHighlighted());
    }

    // Assistive technologies see a button named after the plain title, and
    // pressing it does what a click does.
    void wrappedRowCanBePressedThroughAccessibility()
    {
        QMenu menu;
        AppMenuItem *item = AppMenuItem::add(&menu, longTitle, QIcon(), [this] { ++m_chosen; });
        menu.popup(QPoint(0, 0));
        auto *row = qobject_cast<WrappedMenuRow *>(item->defaultWidget());
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(row);
        QVERIFY(accessible);
        QCOMPARE(accessible->role(), QAccessible::Button);
        QCOMPARE(accessible->text(QAccessible::Name), longTitle);
        QVERIFY(accessible->actionInterface());
        accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(m_chosen, 1);
        QVERIFY(!menu.isVisible());
        item->setEnabled(false);
        QVERIFY(accessible->state().disabled);
        QVERIFY(!row->performPress());
        QCOMPARE(m_chosen, 1);
    }

private:
    QMenu *makeMenu(const QString &title)
    {
        ++m_built;
        auto *menu = new QMenu;
        menu->setTitle(title);
        AppMenuItem::add(menu, "Hide", QIcon(), [] {});
        return menu;
    }
    static void closeMenu(AppContextMenu *anchor)
    {
        if (QMenu *menu = anchor->openMenu())
            menu->hide();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    std::unique_ptr<QWidget> m_bar;
    Button *m_button = nullptr;
    Button *m_plain = nullptr;
    int m_built = 0;
    int m_chosen = 0;
};

QTEST_MAIN(TestAppContextMenu)
#include "tst_appcontextmenu.moc"
