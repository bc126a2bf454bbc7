#include "startmenu/model/pinnedgriddrag.h"
#include "support/appitems.h"

#include <QTest>

using namespace Velmora;

namespace {

const QStringList sixPins{"a", "b", "c", "d", "e", "f"};
// A grid 306 points wide with 60-point tiles: a column pitch of 80, a row pitch of 74.
constexpr qreal gridWidth = 306;
constexpr qreal cellHeight = 60;

PinnedGridDrag measured()
{
    PinnedGridDrag drag;
    drag.setGridWidth(gridWidth);
    drag.setCellHeight(cellHeight);
    return drag;
}

AppItem pin(const QString &id)
{
    return Test::appsWithIDs({id}).first();
}

using Kind = PinnedGridDrag::Release::Kind;

} // namespace

Q_DECLARE_METATYPE(PinnedGridDrag::Release::Kind)

class TestPinnedGridDrag : public QObject
{
    Q_OBJECT
private slots:
    // One press of a tile: the pointer's path (every point a change), then
    // the release at the last point.
    void pressAndRelease_data()
    {
        QTest::addColumn<QString>("tile");
        QTest::addColumn<QList<QPointF>>("path");
        QTest::addColumn<Kind>("release");
        QTest::addColumn<QStringList>("order");

        QTest::newRow("no movement is a click") << "a" << QList<QPointF>{{0, 0}} << Kind::Open << QStringList{};
        QTest::newRow("4.9 points starts nothing and opens")
            << "a" << QList<QPointF>{{4.9, 0}} << Kind::Open << QStringList{};
        // A drag exists from 5 points on and has moved the tile, but a
        // release under 8 points is still a click and commits nothing.
        QTest::newRow("6 points opens, the short drag is dropped")
            << "a" << QList<QPointF>{{3, 0}, {6, 0}} << Kind::Open << QStringList{};
        QTest::newRow("just over half a pitch right takes the next cell")
            << "a" << QList<QPointF>{{10, 0}, {41, 0}} << Kind::Commit << QStringList{"b", "a", "c", "d", "e", "f"};
        QTest::newRow("exactly half a pitch left reaches the next cell")
            << "b" << QList<QPointF>{{-10, 0}, {-40, 0}} << Kind::Commit << QStringList{"b", "a", "c", "d", "e", "f"};
        QTest::newRow("one row down from the second pin: the short last row's end")
            << "b" << QList<QPointF>{{0, 74}} << Kind::Commit << QStringList{"a", "c", "d", "e", "f", "b"};
        QTest::newRow("far beyond the grid clamps to the last pin")
            << "a" << QList<QPointF>{{5000, 5000}} << Kind::Commit << QStringList{"b", "c", "d", "e", "f", "a"};
        QTest::newRow("back to the start cell commits the same order")
            << "c" << QList<QPointF>{{80, 0}, {9, 0}} << Kind::Commit << sixPins;
    }
    void pressAndRelease()
    {
        QFETCH(QString, tile);
        QFETCH(QList<QPointF>, path);
        QFETCH(Kind, release);
        QFETCH(QStringList, order);
        PinnedGridDrag drag = measured();
        const QList<AppItem> pins = Test::appsWithIDs(sixPins);
        for (const QPointF &point : path)
            drag.change(pin(tile), point, pins);
        const PinnedGridDrag::Release result = drag.end(pin(tile), path.last());
        QCOMPARE(result.kind, release);
        QCOMPARE(result.order, order);
        QVERIFY(!drag.session());
    }

    void theDraggedTileFollowsThePointerWhileTheOthersStayInTheirCells()
    {
        PinnedGridDrag drag = measured();
        const QList<AppItem> pins = Test::appsWithIDs(sixPins);
        QCOMPARE(drag.change(pin("a"), {6, 0}, pins), PinnedGridDrag::Move::Follow);
        QCOMPARE(drag.change(pin("a"), {50, 3}, pins), PinnedGridDrag::Move::Reorder);
        QCOMPARE(drag.offset("a"), QSizeF(50 - 80, 3));
        QCOMPARE(drag.offset("b"), QSizeF(0, 0));
        QCOMPARE(drag.displayedApps(pins).first().id, QString("b"));
        // Another tile's events leave the drag alone.
        QCOMPARE(drag.change(pin("c"), {200, 0}, pins), PinnedGridDrag::Move::None);
        QCOMPARE(drag.end(pin("c"), {200, 0}).kind, Kind::Nothing);
        QVERIFY(drag.isDragging("a"));
    }

    void noDragStartsBeforeTheGridIsMeasuredOrForATileNoLongerPinned()
    {
        const QList<AppItem> pins = Test::appsWithIDs(sixPins);
        PinnedGridDrag unmeasured;
        unmeasured.setGridWidth(gridWidth);
        QCOMPARE(unmeasured.change(pin("a"), {100, 0}, pins), PinnedGridDrag::Move::None);
        QVERIFY(!unmeasured.session());
        QCOMPARE(unmeasured.end(pin("a"), {100, 0}).kind, Kind::Nothing);
        QCOMPARE(unmeasured.end(pin("a"), {7, 0}).kind, Kind::Open);

        PinnedGridDrag drag = measured();
        QCOMPARE(drag.change(pin("gone"), {100, 0}, pins), PinnedGridDrag::Move::None);
        QVERIFY(!drag.session());
    }

    void aCancelledDragCommitsNothingAndAnotherTileCanStart()
    {
        PinnedGridDrag drag = measured();
        const QList<AppItem> pins = Test::appsWithIDs(sixPins);
        drag.change(pin("a"), {90, 0}, pins);
        QVERIFY(drag.isDragging("a"));
        drag.cancel();
        QCOMPARE(drag.displayedApps(pins), pins);
        // The lost release arriving late finds nothing to commit.
        QCOMPARE(drag.end(pin("a"), {90, 0}).kind, Kind::Nothing);
        drag.change(pin("d"), {-90, 0}, pins);
        QVERIFY(drag.isDragging("d"));
        QCOMPARE(drag.end(pin("d"), {-90, 0}).order, QStringList({"a", "b", "d", "c", "e", "f"}));
    }
};

QTEST_GUILESS_MAIN(TestPinnedGridDrag)
#include "tst_pinnedgriddrag.moc"
