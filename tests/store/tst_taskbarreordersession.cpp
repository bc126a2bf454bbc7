#include "store/taskbarreordersession.h"
#include "support/appitems.h"

#include <QTest>

#include <limits>

using namespace Velmora;

namespace {

// Records what a commit hands to the store.
struct StoreDouble
{
    QStringList reordered;
    int finished = 0;
    void reorderTaskbarApps(const QStringList &ids) { reordered = ids; }
    void finishTaskbarAppMove() { ++finished; }
};

const QStringList fiveApps { "a", "b", "c", "d", "e" };

} // namespace

class TestTaskbarReorderSession : public QObject
{
    Q_OBJECT
private slots:
    void createNeedsTheDraggedApp()
    {
        QVERIFY(!TaskbarReorderSession::create("zz", Test::appsWithIDs(fiveApps)));
        const auto session = TaskbarReorderSession::create("c", Test::appsWithIDs({ "a", "c", "c" }));
        QVERIFY(session);
        QCOMPARE(session->startIndex(), 1);
        QCOMPARE(session->translation(), 0.0);
    }

    // The dragged app starts at index 2 of five; each row is one pointer
    // position of a drag, applied in order to the same session.
    void dragAlongTheBar_data()
    {
        QTest::addColumn<QList<double>>("steps");
        QTest::addColumn<QList<bool>>("moved");
        QTest::addColumn<int>("finalIndex");
        QTest::newRow("half a slot rounds away from zero") << QList<double> { 23.5 } << QList<bool> { true } << 3;
        QTest::newRow("just under half stays") << QList<double> { 23.4 } << QList<bool> { false } << 2;
        // The position 1.5 is rounded, not the distance, so half a slot left stays.
        QTest::newRow("half a slot left stays") << QList<double> { -23.5 } << QList<bool> { false } << 2;
        QTest::newRow("just over half left moves") << QList<double> { -23.6 } << QList<bool> { true } << 1;
        QTest::newRow("far left clamps to 0") << QList<double> { -2000 } << QList<bool> { true } << 0;
        QTest::newRow("far right clamps to the end") << QList<double> { 2000 } << QList<bool> { true } << 4;
        QTest::newRow("back to zero returns home")
            << QList<double> { 2000, 47, 0 } << QList<bool> { true, true, true } << 2;
        QTest::newRow("same target twice moves once") << QList<double> { 50, 60 } << QList<bool> { true, false } << 3;
        QTest::newRow("huge translation clamps instead of overflowing")
            << QList<double> { std::numeric_limits<double>::max() } << QList<bool> { true } << 4;
        QTest::newRow("non-finite translations are ignored")
            << QList<double> { std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity() }
            << QList<bool> { false, false } << 2;
    }
    void dragAlongTheBar()
    {
        QFETCH(QList<double>, steps);
        QFETCH(QList<bool>, moved);
        QFETCH(int, finalIndex);
        auto session = TaskbarReorderSession::create("c", Test::appsWithIDs(fiveApps));
        QVERIFY(session);
        for (qsizetype i = 0; i < steps.size(); ++i)
            QCOMPARE(session->moveToTarget(steps[i]), moved[i]);
        QCOMPARE(AppItem::ids(session->apps()).indexOf("c"), finalIndex);
        QCOMPARE(session->apps().size(), 5);
    }

    void draggedButtonStaysUnderThePointer()
    {
        auto session = TaskbarReorderSession::create("c", Test::appsWithIDs(fiveApps));
        session->setTranslation(47);
        QVERIFY(session->moveToTarget(47));
        QCOMPARE(AppItem::ids(session->apps()), QStringList({ "a", "b", "d", "c", "e" }));
        QCOMPARE(session->offset("c"), 0.0);
        session->setTranslation(60);
        session->setTranslation(std::numeric_limits<double>::quiet_NaN());
        QCOMPARE(session->offset("c"), 13.0);
        QCOMPARE(session->offset("d"), 0.0);
    }

    void singleAppNeverMoves()
    {
        auto session = TaskbarReorderSession::create("a", Test::appsWithIDs({ "a" }));
        QVERIFY(!session->moveToTarget(500));
        QVERIFY(!session->moveToTarget(-500));
    }

    void commitHandsTheOrderToTheStore()
    {
        auto session = TaskbarReorderSession::create("a", Test::appsWithIDs(fiveApps));
        session->moveToTarget(100);
        StoreDouble store;
        session->commit(store);
        QCOMPARE(store.reordered, QStringList({ "b", "c", "a", "d", "e" }));
        QCOMPARE(store.finished, 1);
    }
};

QTEST_GUILESS_MAIN(TestTaskbarReorderSession)
#include "tst_taskbarreordersession.moc"
