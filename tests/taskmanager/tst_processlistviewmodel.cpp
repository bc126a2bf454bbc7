#include "processfixtures.h"
#include "taskmanager/model/processlistviewmodel.h"

#include <QSignalSpy>
#include <QTest>

using namespace Velmora;
using Test::managedProcess;
using Test::ownPid;
using Test::ownUid;
using Test::pids;
using Pids = QList<qint32>;

namespace {

SystemSample sampleOf(const QList<ManagedProcess> &processes, qint64 timestamp)
{
    SystemSample sample;
    sample.timestamp = timestamp;
    sample.processes = processes;
    return sample;
}

// Six processes by falling CPU, so the list starts in id order.
QList<ManagedProcess> byCpu(const QList<double> &cpu)
{
    QList<ManagedProcess> list;
    for (qsizetype i = 0; i < cpu.size(); ++i)
        list.append(managedProcess(qint32(i + 1), QStringLiteral("p%1").arg(i + 1), cpu[i], quint64(100 * (i + 1))));
    return list;
}

} // namespace

class TestProcessListViewModel : public QObject
{
    Q_OBJECT

    std::unique_ptr<ProcessListViewModel> m_list;
    qint64 m_time = 0;

    void show(const QList<ManagedProcess> &processes) { m_list->applySample(sampleOf(processes, ++m_time)); }
    Pids shown() const { return pids(m_list->displayedProcesses()); }

private slots:
    void init()
    {
        m_list = std::make_unique<ProcessListViewModel>(ownPid, ownUid);
        m_time = 0;
    }

    void startsEmptyByCpuDescending()
    {
        QCOMPARE(m_list->displayedCount(), 0);
        QCOMPARE(m_list->sort(), ProcessSort::Cpu);
        QVERIFY(!m_list->ascending());
        show(byCpu({ 1, 5, 3 }));
        QCOMPARE(shown(), (Pids { 2, 3, 1 }));
    }

    void columnClicks()
    {
        show(byCpu({ 9, 8, 7 }));
        m_list->selectProcess(m_list->displayedProcesses()[1], true);
        QVERIFY(m_list->selection());
        m_list->clickColumn(ProcessSort::Memory);
        QVERIFY(!m_list->selection());
        QCOMPARE(shown(), (Pids { 3, 2, 1 }));
        m_list->clickColumn(ProcessSort::Memory);
        QVERIFY(m_list->ascending());
        QCOMPARE(shown(), (Pids { 1, 2, 3 }));
        m_list->clickColumn(ProcessSort::Name);
        QCOMPARE(m_list->sort(), ProcessSort::Name);
        QVERIFY(m_list->ascending());
    }

    void searchFiltersAndDropsTheSelection()
    {
        show(byCpu({ 1, 2, 3 }));
        m_list->selectProcess(m_list->displayedProcesses()[0], true);
        QSignalSpy selection(m_list.get(), &ProcessListViewModel::selectionChanged);
        m_list->setSearch(QStringLiteral("p2"));
        QCOMPARE(shown(), (Pids { 2 }));
        QCOMPARE(selection.size(), 1);
        QVERIFY(!m_list->pinnedProcess());
        m_list->setSearch(QString());
        QCOMPARE(m_list->displayedCount(), 3);
    }

    // The selected row stays where it was clicked while the others re-sort,
    // and goes last when the list gets shorter than its place.
    void selectionHoldsItsRow()
    {
        show(byCpu({ 60, 50, 40, 30, 20, 10 }));
        m_list->selectProcess(m_list->displayedProcesses()[3], true);
        QCOMPARE(m_list->selection(), 4);
        QCOMPARE(m_list->pinnedProcess()->index, 3);

        show(byCpu({ 60, 50, 40, 99, 20, 10 }));
        QCOMPARE(shown(), (Pids { 1, 2, 3, 4, 5, 6 }));
        show(byCpu({ 1, 50, 40, 99, 20, 10 }));
        QCOMPARE(shown(), (Pids { 2, 3, 5, 4, 6, 1 }));

        QList<ManagedProcess> two = byCpu({ 60, 50, 40, 99 }).mid(2);
        show(two);
        QCOMPARE(shown(), (Pids { 3, 4 }));

        // A click on the selected row lets go of it.
        m_list->selectProcess(two[1], true);
        QVERIFY(!m_list->selection());
        QVERIFY(!m_list->pinnedProcess());
        QCOMPARE(shown(), (Pids { 4, 3 }));
    }

    void aPinnedProcessThatEndsTakesTheSelectionWithIt()
    {
        const QList<ManagedProcess> list = byCpu({ 3, 2, 1 });
        show(list);
        m_list->selectProcess(list[1], false);
        // The same id, started again: not the process that was selected.
        QList<ManagedProcess> reused = list;
        reused[1].started += 1;
        show(reused);
        QVERIFY(!m_list->selection());
        QVERIFY(!m_list->selected());
    }

    void selectingAProcessThatIsGoneDoesNothing()
    {
        const QList<ManagedProcess> list = byCpu({ 3, 2, 1 });
        show(list);
        m_list->selectProcess(list[0], false);
        ManagedProcess ended = managedProcess(77);
        m_list->selectProcess(ended, true);
        QCOMPARE(m_list->selection(), 1);
        ManagedProcess reused = list[2];
        reused.started = 5;
        m_list->selectProcess(reused, false);
        QCOMPARE(m_list->selection(), 1);
    }

    void backgroundTapClearsSelectionAndFocus()
    {
        show(byCpu({ 3, 2 }));
        m_list->setSearchFocused(true);
        m_list->selectProcess(m_list->displayedProcesses()[0], false);
        QVERIFY(!m_list->isSearchFocused()); // choosing a row takes the focus out of the field
        m_list->setSearchFocused(true);
        m_list->backgroundTapped();
        QVERIFY(!m_list->selection());
        QVERIFY(!m_list->isSearchFocused());
    }

    void canEnd_data()
    {
        QTest::addColumn<qint32>("pid");
        QTest::addColumn<quint32>("uid");
        QTest::addColumn<bool>("listed");
        QTest::addColumn<bool>("canEnd");
        QTest::newRow("own user's process") << 300 << ownUid << true << true;
        QTest::newRow("the first process") << 1 << ownUid << true << false;
        QTest::newRow("this application") << ownPid << ownUid << true << false;
        QTest::newRow("another user's") << 300 << 0u << true << false;
        QTest::newRow("no longer listed") << 300 << ownUid << false << false;
    }
    void canEnd()
    {
        QFETCH(qint32, pid);
        QFETCH(quint32, uid);
        QFETCH(bool, listed);
        QFETCH(bool, canEnd);
        const ManagedProcess process = managedProcess(pid, "p", 1.0, 1, "ada", uid);
        show(listed ? QList { process } : QList<ManagedProcess> {});
        QCOMPARE(m_list->canEnd(process), canEnd);
    }

    void aLateLeaveKeepsTheNewHover()
    {
        m_list->setHovered(1, true);
        m_list->setHovered(2, true);
        m_list->setHovered(1, false);
        QCOMPARE(m_list->hoveredProcess(), 2);
        m_list->setHovered(2, false);
        QVERIFY(!m_list->hoveredProcess());
    }

    void closingTheWindowClearsTheSearch()
    {
        m_list->setSearch(QStringLiteral("x"));
        m_list->windowWillClose();
        QVERIFY(m_list->search().isEmpty());
    }

    // A new sample changes rows in place: a view keeps its place in them,
    // hears of each changed row alone and re-lays the list out only when
    // the order changed.
    void rowsOutliveSamples()
    {
        show(byCpu({ 3, 2, 1 }));
        QAbstractItemModel *model = m_list->model();
        const QPersistentModelIndex second(model->index(1, 0));
        QCOMPARE(second.data().toString(), QStringLiteral("p2"));
        QSignalSpy resets(model, &QAbstractItemModel::modelReset);
        QSignalSpy layouts(model, &QAbstractItemModel::layoutChanged);
        QSignalSpy changes(model, &QAbstractItemModel::dataChanged);
        show(byCpu({ 3, 2.5, 1 }));
        QCOMPARE(resets.size(), 0);
        QCOMPARE(layouts.size(), 0);
        QCOMPARE(changes.size(), 1);
        QCOMPARE(changes.first().at(0).toModelIndex().row(), 1);
        QCOMPARE(changes.first().at(1).toModelIndex().row(), 1);
        QCOMPARE(second.data().toString(), QStringLiteral("p2"));
        QCOMPARE(model->index(1, 3).data().toString(), QStringLiteral("2.5%"));
        QCOMPARE(model->index(2, 4).data().toString(), QStringLiteral("300 bytes"));

        show(byCpu({ 1, 2.5, 3 }));
        QCOMPARE(layouts.size(), 1);
        QCOMPARE(model->index(0, 0).data().toString(), QStringLiteral("p3"));
        QCOMPARE(second.data().toString(), QStringLiteral("p2"));
    }
};

QTEST_GUILESS_MAIN(TestProcessListViewModel)
#include "tst_processlistviewmodel.moc"
