#include "store/gridreordersession.h"
#include "support/appitems.h"

#include <QTest>

#include <limits>

using namespace Velmora;

namespace {

const QSizeF stride(80, 90);
const QStringList sixApps { "a", "b", "c", "d", "e", "f" };

} // namespace

class TestGridReorderSession : public QObject
{
    Q_OBJECT
private slots:
    // Four columns, six tiles: row 0 holds a–d, row 1 holds e and f.
    void targetIndex_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<QSizeF>("translation");
        QTest::addColumn<int>("target");
        QTest::newRow("right and down past the last tile") << 1 << QSizeF(80, 90) << 5;
        QTest::newRow("half a stride left goes one cell left") << 1 << QSizeF(-40, 0) << 0;
        QTest::newRow("just under half stays") << 1 << QSizeF(-39.9, 44.9) << 1;
        QTest::newRow("down one row") << 0 << QSizeF(0, 45) << 4;
        QTest::newRow("columns clamp at the edge") << 3 << QSizeF(800, 0) << 3;
        QTest::newRow("rows clamp at the top") << 4 << QSizeF(0, -900) << 0;
        QTest::newRow("huge translation clamps") << 0 << QSizeF(1e308, 1e308) << 5;
    }
    void targetIndex()
    {
        QFETCH(int, start);
        QFETCH(QSizeF, translation);
        QFETCH(int, target);
        const GridReorderSession session(sixApps[start], start, 4, stride, Test::appsWithIDs(sixApps));
        QCOMPARE(session.targetIndex(translation), target);
    }

    void updateMovesTheTileAndItsOffsetFollowsThePointer()
    {
        GridReorderSession session("b", 1, 4, stride, Test::appsWithIDs(sixApps));
        QVERIFY(session.update(QSizeF(80, 90)));
        QCOMPARE(session.orderedIDs(), QStringList({ "a", "c", "d", "e", "f", "b" }));
        // From row 0, column 1 to row 1, column 1: the offset undoes the slot change.
        QCOMPARE(session.offset("b"), QSizeF(80, 0));
        QCOMPARE(session.offset("c"), QSizeF(0, 0));
        QVERIFY(!session.update(QSizeF(81, 91)));
        QVERIFY(session.update(QSizeF(0, 0)));
        QCOMPARE(session.orderedIDs(), sixApps);
    }

    // Tiles that do not follow the pointer are drawn exactly in their cells.
    void offsetsAtRestAreZero_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QSizeF>("translation");
        QTest::addColumn<int>("columns");
        const double infinity = std::numeric_limits<double>::infinity();
        QTest::newRow("a tile that is not dragged") << "c" << QSizeF(30, 20) << 4;
        QTest::newRow("the dragged tile before it moved") << "b" << QSizeF(0, 0) << 4;
        QTest::newRow("the dragged tile made with a translation that is not finite")
            << "b" << QSizeF(infinity, 0) << 4;
        QTest::newRow("a grid without columns") << "b" << QSizeF(30, 20) << 0;
    }
    void offsetsAtRestAreZero()
    {
        QFETCH(QString, id);
        QFETCH(QSizeF, translation);
        QFETCH(int, columns);
        const GridReorderSession session("b", 1, columns, stride, Test::appsWithIDs(sixApps), translation);
        QCOMPARE(session.offset(id), QSizeF(0, 0));
        // Made without a translation at all, the dragged tile sits in its cell too.
        QCOMPARE(GridReorderSession("b", 1, 4, stride, Test::appsWithIDs(sixApps)).offset("b"), QSizeF(0, 0));
    }

    // Geometry that has no slots must neither divide by zero nor move the tile.
    void undefinedGeometryMovesNothing_data()
    {
        QTest::addColumn<int>("columns");
        QTest::addColumn<QSizeF>("stride");
        QTest::addColumn<QSizeF>("translation");
        QTest::addColumn<int>("target");
        const double nan = std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("zero columns") << 0 << stride << QSizeF(80, 90) << 1;
        QTest::newRow("zero stride width, height still works") << 4 << QSizeF(0, 90) << QSizeF(500, 90) << 5;
        QTest::newRow("zero stride") << 4 << QSizeF(0, 0) << QSizeF(80, 90) << 1;
        QTest::newRow("not-a-number translation") << 4 << stride << QSizeF(nan, 90) << 1;
    }
    void undefinedGeometryMovesNothing()
    {
        QFETCH(int, columns);
        QFETCH(QSizeF, stride);
        QFETCH(QSizeF, translation);
        QFETCH(int, target);
        GridReorderSession session("b", 1, columns, stride, Test::appsWithIDs(sixApps));
        session.update(translation);
        QCOMPARE(session.orderedIDs().indexOf("b"), target);
        const QSizeF offset = session.offset("b");
        QVERIFY(std::isfinite(offset.width()) && std::isfinite(offset.height()));
    }
};

QTEST_GUILESS_MAIN(TestGridReorderSession)
#include "tst_gridreordersession.moc"
