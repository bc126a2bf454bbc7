#include "onboarding/dockchoicebutton.h"
#include "onboarding/dockpageview.h"
#include "onboarding/model/onboardingviewmodel.h"
#include "onboarding/onboardingbutton.h"
#include "onboarding/onboardingfooterbar.h"
#include "onboarding/onboardingview.h"
#include "onboarding/onboardingwindow.h"
#include "onboarding/onboardingwindowcontroller.h"
#include "onboarding/permissionpage.h"
#include "platform/screencoordinates.h"
#include "services/dockposition.h"
#include "store/ownwindowplacement.h"

#include "../store/storeworld.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

using namespace Velmora;

namespace {

struct WindowWorld : Test::StoreWorld
{
    std::unique_ptr<TaskbarStore> store;
    DockPosition dock{platform.applicationPreferences, [this](const QString &program, const QStringList &arguments) {
                          return platform.childProcesses.startDetached(program, arguments);
                      }};
    OnboardingWindowController controller{{
        .defaults = defaults,
        .accessibility = accessibility,
        .dock = dock,
        .screenCapture = screenCapture,
        .workspace = workspace,
        .application = platform.ownApplication,
        .displays = displays,
        .scheduler = clock,
    }};

    WindowWorld()
    {
        desktop.setAccessibilityTrusted(false);
        capture.granted = false;
        store = make(false);
    }

    OnboardingView *view() const
    {
        return controller.window() ? controller.window()->findChild<OnboardingView *>() : nullptr;
    }
    QList<int> policies() const
    {
        QList<int> list;
        for (const Sim::SimRequest &request : desktop.requests(Sim::SimOperations::SetActivationPolicy))
            list << request.detail.toInt();
        return list;
    }
    // Delivers the model's changes to the view, as the next turn would.
    void settle()
    {
        clock.runPending();
        view()->finishSlide();
    }
    QStringList footerTitles() const
    {
        QStringList titles;
        if (!view()->footer()->backButton()->isHidden())
            titles << view()->footer()->backButton()->text();
        for (OnboardingButton *button : view()->footer()->buttons())
            titles << button->text() + (button->isEnabled() ? "" : "-");
        return titles;
    }
};

constexpr int regular = int(ActivationPolicy::Regular);
constexpr int accessory = int(ActivationPolicy::Accessory);

} // namespace

class TestOnboardingWindowController : public QObject
{
    Q_OBJECT
private slots:
    void twoShowsGiveOneWindow()
    {
        WindowWorld world;
        world.controller.show(*world.store);
        OnboardingWindow *window = world.controller.window();
        QVERIFY(window);
        QVERIFY(window->isVisible());
        QCOMPARE(window->windowTitle(), QStringLiteral("Welcome to Velmora"));
        QVERIFY(world.store->isOnboardingOpen());
        QCOMPARE(world.policies(), QList<int>{regular});
        QCOMPARE(world.platform.ownApplication.activationPolicy(), ActivationPolicy::Regular);

        window->showMinimized();
        world.controller.show(*world.store);
        QCOMPARE(world.controller.window(), window);
        QVERIFY(!window->isMinimized());
        QCOMPARE(world.policies(), QList<int>{regular});
        QCOMPARE(world.callsTo(Sim::SimOperations::ActivateIgnoringOtherApps), 2);
        int windows = 0;
        for (QWidget *top : QApplication::topLevelWidgets())
            windows += qobject_cast<OnboardingWindow *>(top) ? 1 : 0;
        QCOMPARE(windows, 1);
    }

    void opensAtTheSavedStep_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<OnboardingStep>("step");
        QTest::newRow("3") << QVariant(qint64(3)) << OnboardingStep::screenRecording;
        QTest::newRow("7") << QVariant(qint64(7)) << OnboardingStep::welcome;
        QTest::newRow("-1") << QVariant(qint64(-1)) << OnboardingStep::welcome;
        QTest::newRow("missing") << QVariant() << OnboardingStep::welcome;
    }
    void opensAtTheSavedStep()
    {
        QFETCH(QVariant, stored);
        QFETCH(OnboardingStep, step);
        WindowWorld world;
        if (stored.isValid())
            world.defaults.setValue("OnboardingStep", stored);
        world.controller.show(*world.store);
        QCOMPARE(world.controller.viewModel()->step(), step);
        const bool screenRecording = step == OnboardingStep::screenRecording;
        QCOMPARE(world.view()->permissionPage() != nullptr, screenRecording);
        if (screenRecording)
            QCOMPARE(world.view()->permissionPage()->permission(), AppPermission::screenRecording);
    }

    void closingWithTheCloseButton_data()
    {
        QTest::addColumn<bool>("trusted");
        QTest::newRow("untrusted: the step stays for the next launch") << false;
        QTest::newRow("trusted: the setup is over") << true;
    }
    void closingWithTheCloseButton()
    {
        QFETCH(bool, trusted);
        WindowWorld world;
        world.defaults.setValue("OnboardingStep", qint64(3));
        world.desktop.setAccessibilityTrusted(trusted);
        world.controller.show(*world.store);
        QPointer<OnboardingWindow> window = world.controller.window();

        QVERIFY(window->close());
        QCOMPARE(world.defaults.value("OnboardingCompleted"), trusted ? QVariant(true) : QVariant());
        QCOMPARE(world.defaults.contains("OnboardingStep"), !trusted);
        QVERIFY(!world.controller.window());
        QVERIFY(!world.store->isOnboardingOpen());
        QCOMPARE(world.policies(), (QList<int>{regular, accessory}));
        // Released once its close is over, not inside it.
        QVERIFY(window);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!window);

        // Opened again: a new window, back at the saved step or at the start.
        world.controller.show(*world.store);
        QCOMPARE(world.controller.viewModel()->step(),
            trusted ? OnboardingStep::welcome : OnboardingStep::screenRecording);
    }

    void finishingWritesCompletionWhateverWasGranted()
    {
        WindowWorld world;
        world.defaults.setValue("OnboardingStep", qint64(4));
        world.controller.show(*world.store);
        QPointer<OnboardingWindow> window = world.controller.window();
        QCOMPARE(world.footerTitles(), (QStringList{"Back", "Start Using Velmora"}));
        world.view()->footer()->buttons().first()->click();
        QCOMPARE(world.defaults.value("OnboardingCompleted"), QVariant(true));
        QVERIFY(!world.defaults.contains("OnboardingStep"));
        QVERIFY(!world.controller.window());
        QVERIFY(!world.store->isOnboardingOpen());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!window);
    }

    void returnAndEscapeFollowTheFooter()
    {
        WindowWorld world;
        world.controller.show(*world.store);
        OnboardingWindow *window = world.controller.window();
        QApplication::setActiveWindow(window);
        QVERIFY(QTest::qWaitForWindowActive(window));

        QCOMPARE(world.footerTitles(), QStringList{"Get Started"});
        QTest::keyClick(window, Qt::Key_Escape);
        world.settle();
        QCOMPARE(world.controller.viewModel()->step(), OnboardingStep::welcome);
        QTest::keyClick(window, Qt::Key_Return);
        world.settle();
        QCOMPARE(world.controller.viewModel()->step(), OnboardingStep::dock);
        // The Dock at the bottom: no default button, so Return does nothing.
        QCOMPARE(world.footerTitles(), (QStringList{"Back", "Keep It at the Bottom", "Open Dock Settings"}));
        QTest::keyClick(window, Qt::Key_Return);
        world.settle();
        QCOMPARE(world.controller.viewModel()->step(), OnboardingStep::dock);
        world.view()->footer()->buttons().first()->click();
        world.settle();
        QCOMPARE(world.controller.viewModel()->step(), OnboardingStep::accessibility);
        QCOMPARE(world.footerTitles(), (QStringList{"Back", "Open System Settings", "Continue-"}));
        QTest::keyClick(window, Qt::Key_Enter);
        world.settle();
        QCOMPARE(world.controller.viewModel()->step(), OnboardingStep::accessibility);

        // Trusted in the settings: the next tick enables Continue.
        world.desktop.setAccessibilityTrusted(true);
        world.clock.advance(OnboardingViewModel::refreshIntervalMs);
        world.settle();
        QCOMPARE(world.footerTitles(), (QStringList{"Back", "Continue"}));
        QTest::keyClick(window, Qt::Key_Escape);
        world.settle();
        QCOMPARE(world.controller.viewModel()->step(), OnboardingStep::dock);
        QVERIFY(world.view()->dockPage());
    }

    void theDockPageMovesTheDockAndKeepsNoCursorPushed()
    {
        WindowWorld world;
        world.addDock();
        world.defaults.setValue("OnboardingStep", qint64(1));
        world.controller.show(*world.store);
        DockPageView *page = world.view()->dockPage();
        QVERIFY(page);
        QCOMPARE(page->state(), DockPage::State::atBottom);
        DockChoiceButton *left = page->choice(DockEdge::left);
        QCOMPARE(left->cursor().shape(), Qt::PointingHandCursor);
        left->click();
        world.settle();
        QCOMPARE(page->state(), DockPage::State::atSideHidden);
        QVERIFY(!page->choice(DockEdge::left));
        QCOMPARE(world.footerTitles(), (QStringList{"Back", "Continue"}));
        // The pointing hand was the card's own: nothing stays pushed.
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(world.desktop.preference("com.apple.dock", "orientation"), QVariant("left"));
    }

    void opensCentredOnTheScreenUnderThePointer()
    {
        WindowWorld world;
        world.desktop.setDisplays(
            {Test::display(1, QRectF(0, 0, 1440, 900)), Test::display(2, QRectF(1440, 0, 1920, 1080))});
        world.desktop.setPointer(QPointF(2000, 500));
        world.controller.show(*world.store);
        const DisplayInfo screen = *world.displays.screen(2);
        const QRectF area = OwnWindowPlacement::barFreeArea(screen);
        const QRectF frame = ScreenCoordinates(900).fromQt(world.controller.window()->geometry());
        QVERIFY2(area.contains(frame), qPrintable(QStringLiteral("%1 %2 %3 %4")
                                                      .arg(frame.x()).arg(frame.y()).arg(frame.width()).arg(frame.height())));
        QVERIFY(qAbs(frame.center().x() - area.center().x()) <= 1);
        QVERIFY(qAbs(frame.center().y() - area.center().y()) <= 1);
        QCOMPARE(frame.width(), double(OnboardingView::idealWidth));
    }

    void growsToATallerPage()
    {
        WindowWorld world;
        world.controller.show(*world.store);
        OnboardingWindow *window = world.controller.window();
        const QRect before = window->geometry();
        world.controller.viewModel()->advance();
        world.controller.viewModel()->advance();
        world.settle();
        QCoreApplication::processEvents();
        const QSize needed = world.view()->contentMinimumSize(window->width());
        QVERIFY(needed.height() > before.height());
        // The top stays; the window grows down, within the screen above the bar.
        QCOMPARE(window->geometry().top(), before.top());
        QCOMPARE(window->height(), needed.height());
        QVERIFY(window->geometry().bottom() < 900 - 57);

        // A page taller than the screen: as tall as the area above the bar.
        world.controller.viewModel()->advance();
        world.settle();
        QCoreApplication::processEvents();
        QVERIFY(world.view()->contentMinimumSize(window->width()).height() > 900 - 25 - 57);
        QCOMPARE(window->frameGeometry().top(), 25);
        QCOMPARE(window->frameGeometry().height(), 900 - 25 - 57);
        QCOMPARE(window->geometry().left(), before.left());
    }
};

QTEST_MAIN(TestOnboardingWindowController)
#include "tst_onboardingwindowcontroller.moc"
