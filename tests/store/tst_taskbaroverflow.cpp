#include "store/taskbaroverflow.h"
#include "store/taskbaroverflowmodel.h"
#include "support/appitems.h"

#include <QSignalSpy>
#include <QTest>

using namespace Velmora;

class TestTaskbarOverflow : public QObject
{
    Q_OBJECT
private slots:
    void split_data()
    {
        QTest::addColumn<QStringList>("apps");
        QTest::addColumn<int>("capacity");
        QTest::addColumn<QString>("promoted"); // empty: none
        QTest::addColumn<QStringList>("visible");
        QTest::addColumn<QStringList>("overflow");
        const QStringList five { "a", "b", "c", "d", "e" };
        QTest::newRow("exactly fits") << five << 5 << "" << five << QStringList {};
        QTest::newRow("more room than apps") << five << 9 << "e" << five << QStringList {};
        QTest::newRow("one short: a slot goes to the button")
            << five << 4 << "" << QStringList { "a", "b", "c" } << QStringList { "d", "e" };
        QTest::newRow("promoted takes the last slot")
            << five << 4 << "e" << QStringList { "a", "b", "e" } << QStringList { "c", "d" };
        QTest::newRow("promoted from the middle of the overflow")
            << five << 3 << "d" << QStringList { "a", "d" } << QStringList { "b", "c", "e" };
        QTest::newRow("promoted already visible")
            << five << 4 << "b" << QStringList { "a", "b", "c" } << QStringList { "d", "e" };
        QTest::newRow("promoted names no app")
            << five << 4 << "zz" << QStringList { "a", "b", "c" } << QStringList { "d", "e" };
        QTest::newRow("capacity 1: nothing visible, nothing promoted") << five << 1 << "e" << QStringList {} << five;
        QTest::newRow("capacity 0") << QStringList { "a", "b" } << 0 << "b" << QStringList {}
                                    << QStringList { "a", "b" };
        QTest::newRow("negative capacity")
            << QStringList { "a", "b" } << -3 << "" << QStringList {} << QStringList { "a", "b" };
        QTest::newRow("no apps") << QStringList {} << 0 << "" << QStringList {} << QStringList {};
        QTest::newRow("only the first of a repeated id is promoted") << QStringList { "a", "b", "c", "x",
            "x" } << 3 << "x" << QStringList { "a", "x" } << QStringList { "b", "c", "x" };
    }
    void split()
    {
        QFETCH(QStringList, apps);
        QFETCH(int, capacity);
        QFETCH(QString, promoted);
        QFETCH(QStringList, visible);
        QFETCH(QStringList, overflow);
        const auto result = TaskbarOverflow::split(
            Test::appsWithIDs(apps), capacity, promoted.isEmpty() ? std::nullopt : std::optional(promoted));
        QCOMPARE(AppItem::ids(result.visible), visible);
        QCOMPARE(AppItem::ids(result.overflow), overflow);
    }

    void modelPublishesOnlyAChangedList()
    {
        TaskbarOverflowModel model;
        QSignalSpy changed(&model, &TaskbarOverflowModel::appsChanged);
        const auto apps = Test::appsWithIDs({ "d", "e" });
        model.setApps(apps);
        model.setApps(apps);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(model.apps(), apps);
        auto running = apps;
        running[0].isRunning = true; // whole items are compared, not ids
        model.setApps(running);
        QCOMPARE(changed.count(), 2);
    }
};

QTEST_GUILESS_MAIN(TestTaskbarOverflow)
#include "tst_taskbaroverflow.moc"
