#include "picker/model/windowpreviewstripmodel.h"
#include "pickerworld.h"
#include "store/windowpreviewdraghint.h"
#include "store/windowpreviewdragstate.h"

#include <QTest>

using namespace Velmora;

namespace {

using Item = WindowPreviewStripModel::Item;

struct Strip : Test::PickerWorld
{
    WindowPreviewDragState drag;
    WindowPreviewDragHint hint { WindowPreviewDragHint::pickerDurationMs, clock };
    WindowPreviewStripModel model { *store, appItem("Editor").id, 1, drag, hint };

    explicit Strip(int count = 2)
        : PickerWorld(count)
    {
    }

    QStringList itemIDs() const
    {
        QStringList ids;
        for (const Item &item : model.items())
            ids << item.id;
        return ids;
    }
};

const QString placeholder = QLatin1String(WindowPicker::placeholderPreviewID);

} // namespace

class TestWindowPreviewStripModel : public QObject
{
    Q_OBJECT
private slots:
    void geometry()
    {
        QCOMPARE(WindowPreviewStripModel::width(0), 0.0);
        QCOMPARE(WindowPreviewStripModel::width(1), 224.0);
        QCOMPARE(WindowPreviewStripModel::width(4), 4 * 224.0 + 3 * 10.0);
        QCOMPARE(WindowPreviewStripModel::height, 183.0);
        QCOMPARE(WindowPreviewStripModel::itemRect(2), QRectF(468, 8, 224, 159));
    }

    // Only the picker of this app above this display shows cards, whatever
    // the store still holds.
    void showsNothingUnlessOpenHere()
    {
        Strip s;
        QVERIFY(s.model.items().isEmpty());
        s.openMail();
        QVERIFY(s.model.items().isEmpty());
        s.openEditor(2);
        QVERIFY(!s.picker().windowPreviews().isEmpty());
        QVERIFY(s.model.items().isEmpty());
        s.openEditor(1);
        QCOMPARE(s.itemIDs(), s.shownIDs());
    }

    // The store decides the placeholder's side: first in last-used order,
    // last otherwise.
    void placeholderSide_data()
    {
        QTest::addColumn<WindowPreviewSortOrder>("order");
        QTest::addColumn<bool>("leads");
        QTest::newRow("last used") << WindowPreviewSortOrder::LastUsed << true;
        QTest::newRow("alphabetical") << WindowPreviewSortOrder::Alphabetical << false;
        QTest::newRow("fixed") << WindowPreviewSortOrder::Fixed << false;
    }
    void placeholderSide()
    {
        QFETCH(WindowPreviewSortOrder, order);
        QFETCH(bool, leads);
        Strip s;
        s.store->setWindowPreviewSortOrder(order);
        s.openEditor();
        s.picker().setAwaitingNewWindow(true);
        const QList<Item> items = s.model.items();
        QCOMPARE(items.size(), 3);
        QCOMPARE(s.model.placeholderLeads(), leads);
        const Item &ph = leads ? items.first() : items.last();
        QCOMPARE(ph.kind, Item::Kind::Placeholder);
        QCOMPARE(ph.id, placeholder);
        QCOMPARE(ph.appearDelayMs, 0);
        QVERIFY(!ph.startsAppeared);
        // The cards keep their own indexes for their appear delays.
        const Item &firstCard = leads ? items.at(1) : items.first();
        QCOMPARE(firstCard.previewIndex, 0);
        QCOMPARE(firstCard.appearDelayMs, 0);
    }

    void appearDelays()
    {
        Strip s(8);
        s.openEditor();
        const QList<Item> items = s.model.items();
        QCOMPARE(items.size(), 8);
        const QList<qint64> expected { 0, 35, 70, 105, 140, 175, 175, 175 };
        for (int i = 0; i < items.size(); ++i)
            QCOMPARE(items.at(i).appearDelayMs, expected.at(i));
    }

    void closingAndReplacingCards()
    {
        Strip s(3);
        s.openEditor();
        const QStringList ids = s.shownIDs();
        s.picker().setClosingWindowPreviewIDs({ ids.at(1) });
        s.picker().setWindowPreviewIDsBeforeNewWindow(QSet<QString> { ids.at(0), ids.at(1) });
        s.picker().setAwaitingNewWindow(true);
        // A fresh listing, after the opening animation, finds the third
        // window new: it takes the placeholder's place.
        s.clock.advance(WindowPicker::openingAnimationMs);
        s.picker().reconcilePresentedWindowPreviews(s.picker().windowPreviews(), s.editor);
        const QList<Item> items = s.model.items();
        QCOMPARE(items.size(), 3);
        QCOMPARE(items.at(1).isClosing, true);
        QCOMPARE(items.at(0).isClosing, false);
        QCOMPARE(items.at(2).startsAppeared, true);
        QCOMPARE(items.at(0).startsAppeared, false);
    }

    // A drag in fixed order moves the card in the store as it passes slots;
    // the dragged card stays under the pointer and is drawn on top.
    void dragInFixedOrderReordersTheStore()
    {
        Strip s(3);
        s.openEditor();
        QVERIFY(s.model.canDrag());
        const QStringList before = s.shownIDs();
        const QString dragged = before.first();
        s.model.pressChanged(dragged, true);
        QVERIFY(s.model.isLifted(dragged));
        QVERIFY(!s.model.isDragging());
        s.model.dragChanged(dragged, 100);
        QVERIFY(s.model.isDragging());
        QCOMPARE(s.tooltip.hides, 1);
        QCOMPARE(s.shownIDs(), before); // under half a slot
        s.model.dragChanged(dragged, 250);
        QCOMPARE(s.shownIDs(), QStringList({ before.at(1), dragged, before.at(2) }));
        QCOMPARE(s.model.offset(dragged), 250 - 234.0);
        QCOMPARE(s.model.offset(before.at(1)), 0.0);
        QCOMPARE(s.model.zIndex(dragged), 1);
        QCOMPARE(s.model.zIndex(before.at(1)), 0);
        s.model.dragChanged(dragged, 600);
        QCOMPARE(s.shownIDs(), QStringList({ before.at(1), before.at(2), dragged }));
        s.model.dragEnded();
        s.model.pressChanged(dragged, false);
        QVERIFY(!s.model.isDragging());
        QVERIFY(!s.model.isLifted(dragged));
        QCOMPARE(s.model.offset(dragged), 0.0);
        // The arrangement is the store's: the next opening keeps it.
        s.picker().dismissWindowPicker();
        s.openEditor();
        QCOMPARE(s.shownIDs(), QStringList({ before.at(1), before.at(2), dragged }));
    }

    void dragOutsideFixedOrderMovesNothing()
    {
        Strip s(3);
        s.store->setWindowPreviewSortOrder(WindowPreviewSortOrder::Alphabetical);
        s.openEditor();
        QVERIFY(!s.model.canDrag());
        const QStringList before = s.shownIDs();
        s.model.dragChanged(before.first(), 500);
        QCOMPARE(s.shownIDs(), before);
    }

    void refusedDragShowsTheHintOnlyWithSeveralWindows_data()
    {
        QTest::addColumn<int>("windows");
        QTest::addColumn<bool>("shows");
        QTest::newRow("one window") << 1 << false;
        QTest::newRow("two windows") << 2 << true;
    }
    void refusedDragShowsTheHintOnlyWithSeveralWindows()
    {
        QFETCH(int, windows);
        QFETCH(bool, shows);
        Strip s(windows);
        s.store->setWindowPreviewSortOrder(WindowPreviewSortOrder::LastUsed);
        s.openEditor();
        QCOMPARE(s.picker().windowPreviews().size(), windows);
        s.model.dragRefused();
        QCOMPARE(s.hint.isShowing(), shows);
        s.clock.advance(WindowPreviewDragHint::pickerDurationMs);
        QVERIFY(!s.hint.isShowing());
    }

    // A release reported by one card leaves another card's press alone.
    void releaseOfAnotherCardKeepsThePress()
    {
        Strip s;
        s.openEditor();
        const QStringList ids = s.shownIDs();
        s.model.pressChanged(ids.at(1), true);
        s.model.pressChanged(ids.at(0), false);
        QCOMPARE(s.drag.pressedID(), std::optional<QString>(ids.at(1)));
        s.model.pressChanged(ids.at(1), false);
        QCOMPARE(s.drag.pressedID(), std::nullopt);
    }

    // Closing the picker mid-drag leaves nothing lifted or offset next time.
    void disappearingMidDragResets()
    {
        Strip s(3);
        s.openEditor();
        const QString dragged = s.shownIDs().first();
        s.model.pressChanged(dragged, true);
        s.model.dragChanged(dragged, 120);
        s.picker().dismissWindowPicker();
        s.model.disappeared();
        s.openEditor();
        QVERIFY(!s.model.isDragging());
        for (const Item &item : s.model.items()) {
            QVERIFY(!s.model.isLifted(item.id));
            QCOMPARE(s.model.offset(item.id), 0.0);
        }
    }
};

QTEST_GUILESS_MAIN(TestWindowPreviewStripModel)
#include "tst_windowpreviewstripmodel.moc"
