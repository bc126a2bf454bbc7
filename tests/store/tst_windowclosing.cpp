#include "platform/sim/simoperations.h"
#include "services/windowpreviewid.h"
#include "store/windowclosing.h"
#include "clicksworld.h"

#include <QTest>

using namespace Velmora;
using namespace Velmora::Sim;

namespace {

// Alpha with two windows in its open picker.
struct Fixture : Test::ClicksWorld
{
    qint32 alpha = addApp("Alpha");
    quint32 first = addWindow(alpha, QRectF(100, 100, 600, 400), "First");
    quint32 second = addWindow(alpha, QRectF(800, 100, 600, 400), "Second");
    std::unique_ptr<TaskbarStore> store;
    WindowPicker *picker = nullptr;
    WindowClosing *closing = nullptr;

    void start()
    {
        store = makeStore();
        picker = &store->windowPicker();
        closing = &store->windowClosing();
        store->handleTaskbarClick(appItem("Alpha"), 1);
        settle();
        desktop.clearRequests();
    }
    WindowPreviewItem card(quint32 window) const
    {
        for (const WindowPreviewItem &item : picker->windowPreviews()) {
            if (item.windowID == window)
                return item;
        }
        return {};
    }
    QStringList presses() const { return log({ SimOperations::PerformAction }); }
};

} // namespace

class TestWindowClosing : public QObject
{
    Q_OBJECT
private slots:
    // One press of the close button; the card plays its motion for 0.18 s
    // and goes with the window, or with reduced motion goes at once; the
    // last card closes the picker.
    void closesAWindowAndItsCard_data()
    {
        QTest::addColumn<bool>("reducedMotion");
        QTest::newRow("motion") << false;
        QTest::newRow("reduced motion") << true;
    }
    void closesAWindowAndItsCard()
    {
        QFETCH(bool, reducedMotion);
        Fixture f;
        f.desktop.setReducesMotion(reducedMotion);
        f.start();
        const WindowPreviewItem card = f.card(f.second);
        f.store->customWindowNames().renameWindow(card, "Notes");
        f.closing->closeWindow(card);
        // A second close while the first asks for the tab count is ignored.
        f.closing->closeWindow(card);
        f.settle();
        QCOMPARE(f.presses(), QStringList({ QString("performAction %1 AXPress %2").arg(f.alpha).arg(f.second) }));
        QCOMPARE(f.picker->closingWindowPreviewIDs().contains(card.id), !reducedMotion);
        // Nothing to play with reduced motion: the card goes with the press,
        // before the window has.
        QCOMPARE(f.picker->windowPreviews().size(), reducedMotion ? 1 : 2);

        f.clock.advance(WindowClosing::closingAnimationMs);
        QCOMPARE(f.picker->windowPreviews().size(), 1);
        QVERIFY(f.picker->closingWindowPreviewIDs().isEmpty());
        QVERIFY(f.store->customWindowNames().customWindowNames().isEmpty());

        f.closing->closeWindow(f.card(f.first));
        f.settle();
        f.clock.advance(WindowClosing::closingAnimationMs);
        QCOMPARE(f.picker->windowPickerAppID(), std::nullopt);
    }

    // A close the application did not carry out (the user cancelled its
    // "save changes?" sheet) keeps the window's card and its name.
    void aCancelledCloseKeepsTheCardAndTheName()
    {
        Fixture f;
        f.desktop.updateWindow(f.second, [](SimWindow &w) { w.closeShowsSheet = true; });
        f.start();
        const WindowPreviewItem card = f.card(f.second);
        f.store->customWindowNames().renameWindow(card, "Notes");
        f.closing->closeWindow(card);
        f.settle();
        f.clock.advance(WindowClosing::closingAnimationMs);
        // Still asking the user: the card keeps playing its motion.
        QVERIFY(f.picker->closingWindowPreviewIDs().contains(card.id));
        f.desktop.answerSheet(f.second, false);
        f.clock.advance(WindowClosing::closingAnimationMs * WindowClosing::settleAttempts);
        QVERIFY(f.picker->closingWindowPreviewIDs().isEmpty());
        QCOMPARE(f.picker->windowPreviews().size(), 2);
        QCOMPARE(f.store->customWindowNames().customWindowName(card), std::optional<QString>("Notes"));
    }

    // A press that fails leaves everything as it was; the next close may try again.
    void aFailedPressKeepsTheCard()
    {
        Fixture f;
        f.start();
        f.desktop.injectFailure(SimFailure::on(SimOperations::PerformAction, "AXPress").once());
        const WindowPreviewItem card = f.card(f.second);
        f.closing->closeWindow(card);
        f.settle();
        QVERIFY(f.picker->closingWindowPreviewIDs().isEmpty());
        QVERIFY(!f.closing->isClosing(card.id));
        f.closing->closeWindow(card);
        f.settle();
        QCOMPARE(f.presses().size(), 2);
    }

    // A window with several tabs is closed only once the user confirms; the
    // picker makes way for the confirmation.
    void asksBeforeClosingTabs()
    {
        Fixture f;
        f.desktop.updateWindow(f.second, [](SimWindow &w) { w.tabs = QStringList { "One", "Two", "Three" }; });
        f.start();
        const WindowPreviewItem card = f.card(f.second);
        f.store->customWindowNames().renameWindow(card, "Research");
        f.closing->closeWindow(card);
        f.settle();
        QCOMPARE(f.confirmation.requests.size(), 1);
        const WindowCloseConfirmation::Text &text = f.confirmation.requests.first().text;
        QCOMPARE(text.title, "Are you sure you want to close 3 tabs?");
        QCOMPARE(text.message, "This will close \"Research\" and all of its tabs.");
        QCOMPARE(text.closeButtonTitle, "Close 3 Tabs");
        QCOMPARE(f.picker->windowPickerAppID(), std::nullopt);

        f.confirmation.answer(0, false);
        QCOMPARE(f.presses(), QStringList());
        // Refused, a later close asks again; confirmed, the window closes.
        f.closing->closeWindow(card);
        f.settle();
        QCOMPARE(f.confirmation.requests.size(), 2);
        f.confirmation.answer(1, true);
        QCOMPARE(f.presses().size(), 1);
        QVERIFY(!f.closing->isClosing(card.id));
    }
};

QTEST_GUILESS_MAIN(TestWindowClosing)
#include "tst_windowclosing.moc"
