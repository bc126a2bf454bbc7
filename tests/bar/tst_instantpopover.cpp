#include "bar/instantpopover.h"
#include "bar/instantpopoverwindow.h"
#include "bar/model/popoverdismissingclick.h"
#include "services/velmoraownwindows.h"
#include "popoverworld.h"

#include <QLabel>
#include <QMenu>
#include <QTest>
#include <QWindow>

using namespace Velmora;
using namespace Velmora::Test;

namespace {

struct Fixture : PopoverWorld
{
    InstantPopoverPresenter presenter;
    QLabel *content = new QLabel(QStringLiteral("Flyout"));
    InstantPopover popover{popovers.services(), presenter, anchor, content};
    bool open = false;

    Fixture()
    {
        content->setFixedSize(120, 80);
        popover.setBinding({[this] { return open; }, [this](bool value) { open = value; }});
    }
    void setOpen(bool value)
    {
        open = value;
        popover.update();
    }
};

} // namespace

class TestInstantPopover : public QObject
{
    Q_OBJECT
private slots:
    // A frameless top-level window, never a Qt popup, and recognisably a
    // flyout.
    void isAFlyoutWindow()
    {
        Fixture f;
        f.setOpen(true);
        InstantPopoverWindow *window = f.popover.window();
        QVERIFY(window->isVisible());
        QVERIFY(window->isWindow());
        QVERIFY(window->windowType() != Qt::Popup);
        QVERIFY(window->windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(window->testAttribute(Qt::WA_ShowWithoutActivating));
        QVERIFY(VelmoraOwnWindows::isFlyout(window->windowHandle()));
        QVERIFY(QLatin1String(window->metaObject()->className()).contains(QLatin1String("Popover")));
        QVERIFY(VelmoraOwnWindows::snapshot(window->windowHandle()).isPanel);
        QVERIFY(!VelmoraOwnWindows::isFlyout(f.bar.windowHandle()));
        QCOMPARE(f.content->window(), window);
        QCOMPARE(window->size(), QSize(120, 80));
    }

    // Escape reaches an open flyout wherever the pointer is: it takes the
    // keyboard from the window the person was typing in, never from the bar,
    // and hands it back when it closes.
    void takesTheKeyboardWhileOpenAndGivesItBack()
    {
        Fixture f;
        QWidget typing;
        typing.setGeometry(300, 50, 200, 100);
        typing.show();
        typing.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&typing));

        f.setOpen(true);
        InstantPopoverWindow *window = f.popover.window();
        QTRY_VERIFY(window->isActiveWindow());
        QVERIFY(!f.bar.isActiveWindow());

        QTest::keyClick(QGuiApplication::focusWindow(), Qt::Key_Escape);
        QVERIFY(!f.open);
        f.clock.advance(InstantPopoverWindow::fadeOutMs + Animator::frameIntervalMs);
        QTRY_VERIFY(typing.isActiveWindow());
    }

    // Shown again within the closing animation: a fresh window takes the
    // content at once; the old one fades out and goes.
    void reopensWhileClosing()
    {
        Fixture f;
        f.animator.setInstant(false);
        f.setOpen(true);
        f.clock.advance(500);
        QPointer<InstantPopoverWindow> first = f.popover.window();
        f.setOpen(false);
        QVERIFY(first->isClosing());
        QVERIFY(first->isVisible());
        f.setOpen(true);
        InstantPopoverWindow *second = f.popover.window();
        QVERIFY(second != first);
        QVERIFY(second->isVisible());
        QCOMPARE(f.content->window(), second);
        QCOMPARE(second->geometry(), first->geometry());
        f.clock.advance(InstantPopoverWindow::fadeOutMs + Animator::frameIntervalMs);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(first.isNull());
        QVERIFY(second->isVisible());
        QVERIFY(f.open);
    }

    // A press on the anchor closes the open popover at its mouse-down, and
    // that same press is then known as the one that closed it, even when the
    // millisecond clock ticks between the close and the button's handling.
    void pressOnTheAnchorClosesAndIsConsumedOnce_data()
    {
        QTest::addColumn<qint64>("tickAtClose");
        QTest::newRow("same millisecond") << qint64(0);
        QTest::newRow("clock ticks as it closes") << qint64(1);
    }
    void pressOnTheAnchorClosesAndIsConsumedOnce()
    {
        QFETCH(qint64, tickAtClose);
        Fixture f;
        f.popover.setBinding({[&f] { return f.open; },
                              [&f, tickAtClose](bool value) {
                                  f.open = value;
                                  f.clock.advance(tickAtClose);
                              }});
        f.setOpen(true);
        bool consumedAtButton = false;
        QObject::connect(f.anchor, &QPushButton::pressed, f.anchor,
                         [&] { consumedAtButton = f.popovers.dismissingClick().consume(); });
        QTest::mousePress(f.anchor->window()->windowHandle(), Qt::LeftButton, {}, f.anchor->geometry().center());
        QVERIFY(!f.popover.isShown());
        QVERIFY(!f.open);
        QVERIFY(consumedAtButton);
        QVERIFY(!f.popovers.dismissingClick().consume());
        QTest::mouseRelease(f.anchor->window()->windowHandle(), Qt::LeftButton, {}, f.anchor->geometry().center());
    }

    // A click in another application reaches the popover through the
    // desktop's mouse tap; once closed, nothing keeps watching.
    void clickInAnotherApplicationCloses()
    {
        Fixture f;
        f.setOpen(true);
        f.desktop.click(QPointF(700, 300));
        QVERIFY(!f.popover.isShown());
        QVERIFY(!f.open);
        QVERIFY(!f.popovers.dismissingClick().consume());
    }

    // A menu opened inside the popover holds a close back until it has gone.
    void closeWaitsForAMenuInside()
    {
        Fixture f;
        f.setOpen(true);
        InstantPopoverWindow *window = f.popover.window();
        QCursor::setPos(window->geometry().center());
        QMenu menu;
        menu.addAction(QStringLiteral("Item"));
        menu.popup(window->geometry().center());
        QCOMPARE(f.popover.controller().contextMenu(), &menu);
        f.setOpen(false);
        QVERIFY(!menu.isVisible());
        QVERIFY(f.popover.isShown());
        f.clock.runPending();
        QVERIFY(!f.popover.isShown());
    }
};

QTEST_MAIN(TestInstantPopover)
#include "tst_instantpopover.moc"
