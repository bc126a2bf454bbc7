#include "store/windowpreviewdragstate.h"

#include <QSignalSpy>
#include <QTest>

#include <limits>

using Velmora::WindowPreviewDragState;

namespace {

// The store's side of a picker drag: its preview list and the moves asked of it.
struct StoreDouble
{
    struct Preview
    {
        QString id;
    };
    QList<Preview> previews { { "w1" }, { "w2" }, { "w3" } };
    QList<std::pair<QString, qsizetype>> moves;

    const QList<Preview> &windowPreviews() const { return previews; }
    void moveWindowPreview(const QString &id, qsizetype target)
    {
        moves.append({ id, target });
        const auto from = std::find_if(previews.begin(), previews.end(), [&](const Preview &p) { return p.id == id; });
        previews.move(from - previews.begin(), target);
    }
};

} // namespace

class TestWindowPreviewDragState : public QObject
{
    Q_OBJECT
private slots:
    void storeIsAskedOncePerNewTarget()
    {
        WindowPreviewDragState state;
        StoreDouble store;
        QSignalSpy started(&state, &WindowPreviewDragState::dragStarted);
        for (double x : { 10.0, 116.9, 117.0, 150.0, 200.0 })
            state.dragChanged("w1", x, store);
        QCOMPARE(started.count(), 1);
        QCOMPARE(store.moves, (QList<std::pair<QString, qsizetype>> { { "w1", 1 } }));
        QCOMPARE(state.id(), std::optional<QString>("w1"));
        // The card now sits in slot 1 and is drawn 234 points back, plus the pointer.
        QCOMPARE(state.offset("w1", store), 200.0 - 234.0);
        QCOMPARE(state.offset("w2", store), 0.0);

        // The target comes from where the drag began, not from the moved list.
        state.dragChanged("w1", 0, store);
        QCOMPARE(store.moves.last(), (std::pair<QString, qsizetype>("w1", 0)));
        state.dragChanged("w1", 1e9, store);
        QCOMPARE(store.moves.last(), (std::pair<QString, qsizetype>("w1", 2)));
    }

    // From the middle card the position is rounded, not the distance: half a
    // slot right reaches 1.5 and moves on, half a slot left reaches 0.5 and
    // stays; only a little more than half left moves.
    void targetRoundsThePosition_data()
    {
        QTest::addColumn<double>("translation");
        QTest::addColumn<int>("target"); // -1: the store is not asked
        QTest::newRow("half right") << 117.0 << 2;
        QTest::newRow("half left stays") << -117.0 << -1;
        QTest::newRow("over half left") << -117.5 << 0;
        QTest::newRow("far left clamps") << -5000.0 << 0;
    }
    void targetRoundsThePosition()
    {
        QFETCH(double, translation);
        QFETCH(int, target);
        WindowPreviewDragState state;
        StoreDouble store;
        state.dragChanged("w2", translation, store);
        QCOMPARE(state.startIndex(), 1);
        QCOMPARE(store.moves.isEmpty(), target < 0);
        if (target >= 0)
            QCOMPARE(store.moves.last().second, target);
    }

    void onlyOneCardIsDraggedAndBadInputIsIgnored()
    {
        WindowPreviewDragState state;
        StoreDouble store;
        state.dragChanged("gone", 300, store);
        state.dragChanged("w2", std::numeric_limits<double>::quiet_NaN(), store);
        QVERIFY(!state.id());
        state.dragChanged("w2", 5, store);
        state.dragChanged("w3", -300, store);
        state.dragChanged("w2", std::numeric_limits<double>::infinity(), store);
        QVERIFY(store.moves.isEmpty());
        QCOMPARE(state.translation(), 5.0);
        QCOMPARE(state.offset("w3", store), 0.0);
    }

    void liftAndReset()
    {
        WindowPreviewDragState state;
        StoreDouble store;
        state.setPressedID(QString("w3"));
        QVERIFY(state.isLifted("w3") && !state.isLifted("w1"));
        state.dragChanged("w2", 250, store);
        QVERIFY(state.isLifted("w2"));
        QSignalSpy idChanged(&state, &WindowPreviewDragState::idChanged);
        state.reset();
        QVERIFY(!state.id() && !state.pressedID());
        QCOMPARE(state.translation(), 0.0);
        QCOMPARE(state.lastTarget(), 2); // kept until the next drag begins
        QCOMPARE(idChanged.count(), 1);
        QCOMPARE(state.offset("w2", store), 0.0);
    }
};

QTEST_GUILESS_MAIN(TestWindowPreviewDragState)
#include "tst_windowpreviewdragstate.moc"
