#include "store/fixedwindowprevieworder.h"

#include <QTest>

using Velmora::FixedWindowPreviewOrder;

class TestFixedWindowPreviewOrder : public QObject
{
    Q_OBJECT
private slots:
    void reconcile_data()
    {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QStringList>("current");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("known keep order, new go last")
            << QStringList { "w2", "w1" } << QStringList { "w1", "w3", "w2" } << QStringList { "w2", "w1", "w3" };
        QTest::newRow("all gone") << QStringList { "w2", "w1" } << QStringList {} << QStringList {};
        QTest::newRow("new ids appended once, in given order")
            << QStringList {} << QStringList { "w4", "w3", "w4" } << QStringList { "w4", "w3" };
        QTest::newRow("closed window forgotten")
            << QStringList { "w3", "w2", "w1" } << QStringList { "w1", "w3" } << QStringList { "w3", "w1" };
    }
    void reconcile()
    {
        QFETCH(QStringList, stored);
        QFETCH(QStringList, current);
        QFETCH(QStringList, expected);
        FixedWindowPreviewOrder order { stored };
        order.reconcile(current);
        QCOMPARE(order.ids, expected);
    }

    void move_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<int>("target");
        QTest::addColumn<QStringList>("expected");
        const QStringList untouched { "old" };
        QTest::newRow("to the front replaces what was stored") << "w3" << 0 << QStringList { "w3", "w1", "w2" };
        QTest::newRow("to the end") << "w1" << 2 << QStringList { "w2", "w3", "w1" };
        QTest::newRow("target past the end") << "w1" << 3 << untouched;
        QTest::newRow("negative target") << "w1" << -1 << untouched;
        QTest::newRow("unknown id") << "w9" << 0 << untouched;
    }
    void move()
    {
        QFETCH(QString, id);
        QFETCH(int, target);
        QFETCH(QStringList, expected);
        FixedWindowPreviewOrder order { { "old" } };
        order.move(id, target, { "w1", "w2", "w3" });
        QCOMPARE(order.ids, expected);
    }
};

QTEST_GUILESS_MAIN(TestFixedWindowPreviewOrder)
#include "tst_fixedwindowprevieworder.moc"
