#include "processfixtures.h"
#include "taskmanager/model/processrowpin.h"
#include "taskmanager/model/processsort.h"

#include <QTest>

using namespace Velmora;
using Test::managedProcess;
using Test::pids;
using Pids = QList<qint32>;

Q_DECLARE_METATYPE(Velmora::ProcessSort)

namespace {

QList<ManagedProcess> people()
{
    return {
        managedProcess(5120, "Finder", 1.0, 100, "ada"),
        managedProcess(7, "kernel_task", 3.0, 300, "root"),
        managedProcess(88, "Web Content", {}, {}, "Root"),
        managedProcess(12, "launchd", 3.0, 300, "daemon"),
        managedProcess(40, "mds stores", 0.5, 50, "_spotlight"),
    };
}

} // namespace

class TestProcessSort : public QObject
{
    Q_OBJECT
private slots:
    void filter_data()
    {
        QTest::addColumn<QString>("search");
        QTest::addColumn<Pids>("kept");
        QTest::newRow("empty keeps all in order") << "" << Pids { 5120, 7, 88, 12, 40 };
        QTest::newRow("digits of the id") << "12" << Pids { 5120, 12 };
        QTest::newRow("owner in any case") << "root" << Pids { 7, 88 };
        QTest::newRow("name in any case") << "FINDER" << Pids { 5120 };
        QTest::newRow("one space is a search") << " " << Pids { 88, 40 };
        QTest::newRow("nothing matches") << "zzz" << Pids {};
    }
    void filter()
    {
        QFETCH(QString, search);
        QFETCH(Pids, kept);
        QCOMPARE(pids(ProcessSorting::filtered(people(), search)), kept);
    }

    void sort_data()
    {
        QTest::addColumn<ProcessSort>("sort");
        QTest::addColumn<bool>("ascending");
        QTest::addColumn<Pids>("order");
        // Equal CPU (7 and 12) go lower id first in both directions; no value
        // sorts below every value.
        QTest::newRow("cpu descending") << ProcessSort::Cpu << false << Pids { 7, 12, 5120, 40, 88 };
        QTest::newRow("cpu ascending") << ProcessSort::Cpu << true << Pids { 88, 40, 5120, 7, 12 };
        QTest::newRow("memory descending") << ProcessSort::Memory << false << Pids { 7, 12, 5120, 40, 88 };
        QTest::newRow("memory ascending") << ProcessSort::Memory << true << Pids { 88, 40, 5120, 7, 12 };
        QTest::newRow("name") << ProcessSort::Name << true << Pids { 5120, 7, 12, 40, 88 };
        QTest::newRow("pid descending") << ProcessSort::Pid << false << Pids { 5120, 88, 40, 12, 7 };
        // Code points: "Root" before "_spotlight" before "ada".
        QTest::newRow("owner") << ProcessSort::Owner << true << Pids { 88, 40, 5120, 12, 7 };
    }
    void sort()
    {
        QFETCH(ProcessSort, sort);
        QFETCH(bool, ascending);
        QFETCH(Pids, order);
        QCOMPARE(pids(ProcessSorting::sorted(people(), sort, ascending)), order);
    }

    void namesCompareAsFileNames()
    {
        const QList<ManagedProcess> list { managedProcess(1, "worker10"), managedProcess(2, "Worker2"),
            managedProcess(3, "worker1") };
        QCOMPARE(pids(ProcessSorting::sorted(list, ProcessSort::Name, true)), (Pids { 3, 2, 1 }));
    }

    // Names the locale holds equal but that differ as texts ("a" and "A")
    // must still order strictly, or sorting would be undefined.
    void everyColumnIsAStrictOrderInBothDirections()
    {
        const QList<ManagedProcess> list { managedProcess(3, "a", 1.0, 5, "x"), managedProcess(1, "A", 1.0, 5, "x"),
            managedProcess(2, "a", {}, {}, "X"), managedProcess(9, "\u00e9", 2.0, 7, "y"),
            managedProcess(4, "e\u0301", 2.0, 7, "y") };
        for (ProcessSort sort : ProcessSorting::allCases) {
            for (bool ascending : { true, false }) {
                for (const ManagedProcess &a : list) {
                    QVERIFY(!ProcessSorting::lessThan(a, a, sort, ascending));
                    for (const ManagedProcess &b : list) {
                        if (a.id != b.id) {
                            QVERIFY2(ProcessSorting::lessThan(a, b, sort, ascending)
                                    != ProcessSorting::lessThan(b, a, sort, ascending),
                                qPrintable(ProcessSorting::title(sort)));
                        }
                    }
                }
            }
        }
        QCOMPARE(pids(ProcessSorting::sorted(list.mid(0, 2), ProcessSort::Name, false)), (Pids { 1, 3 }));
    }

    void titles()
    {
        for (ProcessSort sort : ProcessSorting::allCases)
            QCOMPARE(ProcessSorting::fromTitle(ProcessSorting::title(sort)), sort);
        QCOMPARE(ProcessSorting::title(ProcessSort::Owner), QStringLiteral("User"));
        QVERIFY(!ProcessSorting::fromTitle(QStringLiteral("cpu")));
    }

    void pin_data()
    {
        QTest::addColumn<qsizetype>("index");
        QTest::addColumn<quint64>("started");
        QTest::addColumn<Pids>("result");
        QTest::newRow("moved up") << qsizetype(0) << quint64(1'000) << Pids { 3, 1, 2, 4 };
        QTest::newRow("past the end: last") << qsizetype(9) << quint64(1'000) << Pids { 1, 2, 4, 3 };
        QTest::newRow("another run of the id") << qsizetype(0) << quint64(2'000) << Pids { 1, 2, 3, 4 };
    }
    void pin()
    {
        QFETCH(qsizetype, index);
        QFETCH(quint64, started);
        QFETCH(Pids, result);
        const QList<ManagedProcess> list { managedProcess(1), managedProcess(2), managedProcess(3), managedProcess(4) };
        QCOMPARE(pids(ProcessRowPin { 3, started, index }.applying(list)), result);
    }
};

QTEST_GUILESS_MAIN(TestProcessSort)
#include "tst_processsort.moc"
