#include "bar/applicationpopoverservices.h"
#include "bar/barcloseconfirmation.h"
#include "bar/windowcloseconfirmationdialog.h"
#include "bar/model/animator.h"
#include "bar/storebaractions.h"
#include "bar/taskbartooltipcontroller.h"
#include "bar/tooltippanel.h"
#include "platform/sim/simoperations.h"
#include "store/applicationwaits.h"
#include "../store/storeworld.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

using namespace Velmora;

namespace {

// The bar's actions over a passive store, with a tooltip of their own.
struct ActionsWorld : Test::StoreWorld
{
    std::unique_ptr<TaskbarStore> store = make(false);
    Animator animator { clock, clock };
    ApplicationPopoverServices popovers { clock, clock, animator, displays, eventTaps };
    TaskbarTooltipController tooltip { clock, displays };
    StoreBarActions actions { *store, { platform.distributedNotifications, popovers.dismissingClick(), tooltip } };
};

} // namespace

class TestStoreBarActions : public QObject
{
    Q_OBJECT
private slots:
    // The Search button toggles the desktop's search with a distributed
    // notification: no object, no user information, delivered at once.
    void searchPostsTheToggle()
    {
        ActionsWorld w;
        StoreBarActions &actions = w.actions;
        w.desktop.clearRequests();
        actions.toggleSearch();
        QList<Sim::SimRequest> posted;
        for (const Sim::SimRequest &request : w.desktop.requests()) {
            if (request.operation == Sim::SimOperations::PostDistributedNotification)
                posted << request;
        }
        QCOMPARE(posted.size(), 1);
        QCOMPARE(posted.first().name, "com.apple.spotlight.toggle");
        const QVariantMap detail = posted.first().detail.toMap();
        QCOMPARE(detail.value("object").toString(), QString());
        QVERIFY(detail.value("userInfo").toMap().isEmpty());
        QCOMPARE(detail.value("deliverImmediately").toBool(), true);
        QVERIFY(!actions.consumeDismissingClick());
    }

    // The bar's actions show and take away the tooltip they were handed.
    void tooltipIsTheOneHandedIn()
    {
        ActionsWorld w;
        w.actions.scheduleTooltip("Safari");
        QVERIFY(w.tooltip.isPending());
        w.clock.advance(300);
        QVERIFY(w.tooltip.isShown());
        QCOMPARE(w.tooltip.panel()->title(), "Safari");
        w.actions.hide();
        QVERIFY(!w.tooltip.isShown());
    }

    // "Show All Windows" for an application that does not list its windows
    // at once: the bar waits no longer than a press may, and the picker
    // opens when the windows arrive.
    void showAllWindowsOfASlowApplication()
    {
        Test::StoreWorld w;
        const qint32 editor = w.addAppWithTwoWindows("Editor");
        auto store = w.make(false);
        Animator animator(w.clock, w.clock);
        ApplicationPopoverServices popovers(w.clock, w.clock, animator, w.displays, w.eventTaps);
        TaskbarTooltipController tooltip(w.clock, w.displays);
        StoreBarActions actions(*store, {w.platform.distributedNotifications, popovers.dismissingClick(), tooltip});
        w.desktop.setBusyFor(editor, 400);
        const qint64 before = w.clock.monotonicMs();
        actions.showAllWindows(Test::StoreWorld::appItem("Editor"), w.app(editor), 1);
        QVERIFY(w.clock.monotonicMs() - before <= qint64(ApplicationWaits::pressTimeoutSeconds * 1000));
        WindowPicker &picker = store->windowPicker();
        QVERIFY(!picker.windowPickerAppID());

        w.background.runAll();
        QCOMPARE(picker.windowPickerAppID(), std::optional<QString>("com.example.Editor"));
        QCOMPARE(picker.windowPreviews().size(), 2);
    }

    // The store hears the user's answer, true only for the close button, and
    // only while whoever asked is still there.
    void closeConfirmationAnswers_data()
    {
        QTest::addColumn<bool>("closeButton");
        QTest::addColumn<bool>("askerGone");
        QTest::addColumn<QList<bool>>("answers");
        QTest::newRow("close") << true << false << QList<bool>{true};
        QTest::newRow("cancel") << false << false << QList<bool>{false};
        QTest::newRow("asker gone") << true << true << QList<bool>{};
    }
    void closeConfirmationAnswers()
    {
        QFETCH(bool, closeButton);
        QFETCH(bool, askerGone);
        QFETCH(QList<bool>, answers);
        BarCloseConfirmation confirmation;
        auto asker = std::make_unique<QObject>();
        QList<bool> heard;
        confirmation.confirm(QIcon(), WindowCloseConfirmation::Text(3, "Inbox"), asker.get(),
                             [&](bool confirmed) { heard << confirmed; });
        WindowCloseConfirmationDialog *dialog = nullptr;
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (auto *found = qobject_cast<WindowCloseConfirmationDialog *>(widget); found && found->isVisible())
                dialog = found;
        }
        QVERIFY(dialog);
        QCOMPARE(dialog->closeButton()->text(), "Close 3 Tabs");
        if (askerGone)
            asker.reset();
        QTest::mouseClick(closeButton ? dialog->closeButton() : dialog->cancelButton(), Qt::LeftButton);
        QCOMPARE(heard, answers);
    }
};

QTEST_MAIN(TestStoreBarActions)
#include "tst_storebaractions.moc"
