#include "platform/displays.h"
#include "platform/sim/memoryuserdefaults.h"
#include "platform/sim/scriptedfileicons.h"
#include "platform/sim/simplatform.h"
#include "platform/sim/simulatedsignaller.h"
#include "platform/sim/simulatedstatistics.h"
#include "platform/sim/simulatedterminallauncher.h"
#include "platform/sim/virtualclock.h"
#include "processfixtures.h"
#include "services/velmoraownwindows.h"
#include "taskmanager/metriccardwidget.h"
#include "taskmanager/metricdetailwidget.h"
#include "taskmanager/metricgraphwidget.h"
#include "taskmanager/metricoverlay.h"
#include "taskmanager/model/processlistviewmodel.h"
#include "taskmanager/model/processsortfilterproxymodel.h"
#include "taskmanager/model/taskmanagerplacement.h"
#include "taskmanager/processlistview.h"
#include "taskmanager/sampling/systemmonitor.h"
#include "taskmanager/sampling/systemsampler.h"
#include "taskmanager/taskmanageralert.h"
#include "taskmanager/taskmanagerview.h"
#include "taskmanager/taskmanagerwindow.h"
#include "taskmanager/taskmanagerwindowcontroller.h"

#include <QBackingStore>
#include <QLineEdit>
#include <QPaintEvent>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

using namespace Velmora;
using Test::ownPid;
using Test::ownUid;

namespace {

// One 1440 x 900 screen whose bottom 25 points the Dock takes.
class FixedDisplays final : public Displays
{
public:
    QList<DisplayInfo> screens() const override { return m_screens; }
    std::optional<DisplayInfo> mainScreen() const override
    {
        return m_screens.isEmpty() ? std::nullopt : std::optional(m_screens.first());
    }
    std::optional<QList<quint32>> activeDisplayList() const override { return std::nullopt; }
    QPointF pointerLocation() const override { return m_pointer; }

    QList<DisplayInfo> m_screens { DisplayInfo {
        1, "Main", QRectF(0, 0, 1440, 900), QRectF(0, 25, 1440, 850), QRectF(0, 0, 1440, 900), 1 } };
    QPointF m_pointer { 100, 100 };
};

// The regions that each watched widget painted.
class PaintLog final : public QObject
{
public:
    void watch(QWidget *widget) { widget->installEventFilter(this); }
    QList<QRegion> of(const QWidget *widget) const { return m_regions.value(widget); }
    bool isEmpty() const { return m_regions.isEmpty(); }
    void clear() { m_regions.clear(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            m_regions[watched].append(static_cast<QPaintEvent *>(event)->region());
        return false;
    }

private:
    QHash<const QObject *, QList<QRegion>> m_regions;
};

} // namespace

class TestTaskManagerWindow : public QObject
{
    Q_OBJECT

    Sim::VirtualClock m_clock;
    Sim::SimPlatform m_platform { m_clock };
    Sim::SimulatedStatistics m_stats;
    Sim::SimulatedSignaller m_signaller { ownPid, ownUid };
    Sim::SimulatedTerminalLauncher m_terminals;
    Sim::ScriptedFileIcons m_icons;
    Sim::MemoryUserDefaults m_defaults;
    FixedDisplays m_displays;
    std::unique_ptr<SystemMonitor> m_monitor;

    std::unique_ptr<TaskManagerWindowController> makeController()
    {
        return std::make_unique<TaskManagerWindowController>(TaskManagerWindowController::Environment {
            .view = {
                .scheduler = m_clock,
                .monitor = m_monitor.get(),
                .statistics = &m_stats,
                .signaller = &m_signaller,
                .workspace = &m_platform.workspace,
                .icons = &m_icons,
                .clock = &m_clock,
            },
            .displays = &m_displays,
            .defaults = &m_defaults,
        });
    }

    void addProcess(qint32 pid, const QString &name)
    {
        Sim::SimulatedStatistics::Process p;
        p.statistics.identity = ProcessIdentity { ownUid, 1'000, false, false };
        p.statistics.name = name;
        m_stats.setProcess(pid, p);
    }

    // The measurement under way, applied, and the view brought up to date.
    void settle()
    {
        QVERIFY(QTest::qWaitFor([&] { return !m_monitor->isMeasuring(); }, 5000));
        m_clock.runPending();
    }

private slots:
    void init()
    {
        m_monitor = std::make_unique<SystemMonitor>(SystemMonitor::Environment {
            &m_clock, &m_clock, &m_stats, &m_signaller, [this] {
                return std::make_unique<SystemSampler>(m_stats, m_clock,
                    std::make_unique<ProcessNetworkReader>(m_terminals, m_clock,
                        ProcessNetworkReader::Command { "tool", {}, QStringLiteral("/nonexistent/tool") }));
            } });
        m_defaults.removeValue(TaskManagerPlacement::frameKey);
    }
    void cleanup() { m_monitor.reset(); }

    void visibilityDrivesProcessSampling()
    {
        auto controller = makeController();
        TaskManagerWindow *window = controller->window();
        QVERIFY(window && !window->isVisible());
        QCOMPARE(VelmoraOwnWindows::role(window->windowHandle()), VelmoraOwnWindows::Role::TaskManager);
        QVERIFY(!controller->isOpen());
        QVERIFY(!m_monitor->includesProcesses());
        QSignalSpy open(controller.get(), &TaskManagerOpenState::isOpenChanged);

        controller->present();
        QVERIFY(window->isVisible());
        QVERIFY(controller->isOpen());
        QVERIFY(m_monitor->includesProcesses());
        QCOMPARE(open.size(), 1);
        settle();

        window->showMinimized();
        QVERIFY(!m_monitor->includesProcesses());
        QVERIFY(controller->isOpen());
        window->showNormal();
        QVERIFY(m_monitor->includesProcesses());

        controller->viewModel().processList().setSearch(QStringLiteral("mail"));
        controller->close();
        QVERIFY(!controller->isOpen());
        QVERIFY(!m_monitor->includesProcesses());
        QVERIFY(controller->viewModel().processList().search().isEmpty());

        controller->present();
        QCOMPARE(controller->window(), window);
        QVERIFY(controller->isOpen());
        QCOMPARE(open.size(), 3);
        settle();
    }

    void aClosedWindowGivesBackItsPixels()
    {
        auto controller = makeController();
        TaskManagerWindow *window = controller->window();
        controller->present();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        window->repaint();
        QVERIFY(window->backingStore());
        QCOMPARE(window->backingStore()->size(), window->size());

        controller->close();
        QVERIFY(window->backingStore()->size().width() * window->backingStore()->size().height() <= 1);

        controller->present();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        window->repaint();
        QCOMPARE(window->backingStore()->size(), window->size());
        settle();
    }

    void placement_data()
    {
        QTest::addColumn<QString>("saved");
        QTest::addColumn<QRectF>("shown");
        // Centred in the area above the Dock and the bar: y from 57 to 875.
        QTest::newRow("first run: default size, centred") << "" << QRectF(190, 106, 1060, 720);
        QTest::newRow("a saved frame on the screen: centred at its size")
            << "100 200 900 600" << QRectF(270, 166, 900, 600);
        QTest::newRow("saved on a screen that is gone: default size")
            << "3000 200 900 600" << QRectF(190, 106, 1060, 720);
    }
    void placement()
    {
        QFETCH(QString, saved);
        QFETCH(QRectF, shown);
        if (!saved.isEmpty())
            m_defaults.setValue(TaskManagerPlacement::frameKey, saved);
        auto controller = makeController();
        controller->present();
        // Qt's coordinates run downwards from the top of the screen.
        QCOMPARE(QRectF(controller->window()->geometry()),
            QRectF(shown.x(), 900 - shown.y() - shown.height(), shown.width(), shown.height()));
        settle();
    }

    void presentingAShowingWindowLeavesItWhereItIs()
    {
        auto controller = makeController();
        controller->present();
        controller->window()->move(40, 30);
        QTRY_COMPARE(controller->window()->frameGeometry().topLeft(), QPoint(40, 30));
        const QRect moved = controller->window()->geometry();
        // Moving it saved where it went, in the screen's coordinates.
        const QString saved = TaskManagerPlacement::frameText(
            QRectF(moved.x(), 900 - moved.y() - moved.height(), moved.width(), moved.height()));
        m_clock.advance(TaskManagerWindowController::frameSaveDelayMs);
        QCOMPARE(m_defaults.stringValue(TaskManagerPlacement::frameKey).value_or(QString()), saved);
        controller->present();
        QCOMPARE(controller->window()->geometry(), moved);
        settle();
    }

    void aDragWritesTheFrameOnceItEnds()
    {
        auto controller = makeController();
        controller->present();
        TaskManagerWindow *window = controller->window();
        m_clock.advance(TaskManagerWindowController::frameSaveDelayMs);
        const auto frameWrites = [&] { return m_defaults.writtenKeys().count(TaskManagerPlacement::frameKey); };
        const qsizetype before = frameWrites();
        const auto savedAfterSettling = [&] {
            m_clock.advance(TaskManagerWindowController::frameSaveDelayMs);
            const QRect g = window->geometry();
            return TaskManagerPlacement::frameText(QRectF(g.x(), 900 - g.y() - g.height(), g.width(), g.height()));
        };

        // A drag: sixty moves, each a little later than the last.
        for (int step = 1; step <= 60; ++step) {
            window->move(40 + step, 30 + step);
            QTRY_COMPARE(window->frameGeometry().topLeft(), QPoint(40 + step, 30 + step));
            m_clock.advance(16);
        }
        QCOMPARE(frameWrites(), before);
        const QString dragged = savedAfterSettling();
        QCOMPARE(frameWrites(), before + 1);
        QCOMPARE(m_defaults.stringValue(TaskManagerPlacement::frameKey).value_or(QString()), dragged);

        // Moved away and back before it settled: nothing changed, nothing written.
        window->move(300, 200);
        QTRY_COMPARE(window->frameGeometry().topLeft(), QPoint(300, 200));
        window->move(100, 90);
        QTRY_COMPARE(window->frameGeometry().topLeft(), QPoint(100, 90));
        savedAfterSettling();
        QCOMPARE(frameWrites(), before + 1);

        // A resize is a change of its own; closing right after it keeps it.
        window->resize(window->width() - 50, window->height() - 40);
        QTRY_COMPARE(window->width(), 1060 - 50);
        const QRect g = window->geometry();
        controller->close();
        QCOMPARE(frameWrites(), before + 2);
        QCOMPARE(m_defaults.stringValue(TaskManagerPlacement::frameKey).value_or(QString()),
            TaskManagerPlacement::frameText(QRectF(g.x(), 900 - g.y() - g.height(), g.width(), g.height())));
        settle();
    }

    void presentFocusesTheSearchField()
    {
        auto controller = makeController();
        controller->present();
        m_clock.runPending();
        QLineEdit *field = controller->window()->view()->searchField();
        QTRY_VERIFY(field->hasFocus());
        QVERIFY(controller->viewModel().processList().isSearchFocused());
        settle();
    }

    // The caret blinks in the focused search field twice a second: each
    // blink repaints the field's box and not the window beneath it.
    void aBlinkingCaretRepaintsTheSearchFieldAlone()
    {
        auto controller = makeController();
        controller->present();
        settle();
        QVERIFY(QTest::qWaitForWindowExposed(controller->window()));
        TaskManagerView *view = controller->window()->view();
        QLineEdit *field = view->searchField();
        QTRY_VERIFY(field->hasFocus());
        QTest::qWait(50);
        PaintLog log;
        log.watch(view);
        log.watch(field);
        QTRY_VERIFY_WITH_TIMEOUT(log.of(field).size() >= 2, 3000);
        QVERIFY(log.of(view).isEmpty());
    }

    void theExpandedGraphClosesFromTheBackdropOnly()
    {
        auto controller = makeController();
        controller->present();
        settle();
        TaskManagerView *view = controller->window()->view();
        controller->viewModel().openMetric(MetricDetail::disk());
        MetricOverlay *overlay = view->overlay();
        QVERIFY(overlay->isVisible());
        QCOMPARE(overlay->panel()->width(), 830);

        QTest::mouseClick(overlay->panel(), Qt::LeftButton, {}, QPoint(40, 40));
        QVERIFY(controller->viewModel().expandedMetric());
        QTest::mouseClick(overlay, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!controller->viewModel().expandedMetric());
        QVERIFY(!overlay->isVisible());
    }

    // Once a second the graph repaints alone, not the panel and the window
    // beneath it, and the cards without the window beneath them; a pointer
    // over the graph repaints it when it moves and nothing repaints while it
    // rests.
    void theOpenGraphRepaintsWhatChangedOnly()
    {
        addProcess(300, QStringLiteral("Editor"));
        auto controller = makeController();
        controller->present();
        settle();
        TaskManagerView *view = controller->window()->view();
        QVERIFY(QTest::qWaitForWindowExposed(controller->window()));
        QTest::qWait(50);
        PaintLog log;
        // The cards paint their own corners: a new sample repaints them, not
        // the window beneath.
        const QList<MetricCardWidget *> cards = view->findChildren<MetricCardWidget *>();
        QCOMPARE(cards.size(), 4);
        for (MetricCardWidget *card : cards)
            log.watch(card);
        log.watch(view);
        m_clock.advance(1000);
        settle();
        QTRY_VERIFY(!log.of(cards.first()).isEmpty());
        QTest::qWait(50);
        for (const QRegion &painted : log.of(view)) {
            for (MetricCardWidget *card : cards)
                QVERIFY(!painted.intersects(card->geometry()));
        }

        controller->viewModel().openMetric(MetricDetail::cpu());
        MetricDetailWidget *panel = view->overlay()->panel();
        auto *graph = panel->findChild<MetricGraphWidget *>();
        QVERIFY(graph);
        QTest::qWait(50);
        log.watch(panel);
        log.watch(graph);
        log.clear();
        m_clock.advance(1000);
        settle();
        QTRY_COMPARE(log.of(graph).size(), 1);
        QTest::qWait(50);
        QCOMPARE(log.of(graph).size(), 1);
        const QRect graphOnPanel(graph->mapTo(panel, QPoint()), graph->size());
        for (const QRegion &painted : log.of(panel))
            QVERIFY(!painted.intersects(graphOnPanel));

        log.clear();
        QTest::mouseMove(graph, QPoint(graph->width() / 2, graph->height() / 2));
        QTRY_VERIFY(!log.of(graph).isEmpty());
        // The read-out and the list beside the graph change with it, on the
        // panel's opaque body: the sheet and what lies beneath stay as they are.
        QTest::qWait(50);
        QVERIFY(log.of(panel).isEmpty());
        log.clear();
        QTest::qWait(300);
        QVERIFY(log.isEmpty());
        removeProcesses({ 300 });
    }

    // A sample repaints the rows whose values changed and no others; one
    // that changes nothing repaints no row.
    void aSampleRepaintsOnlyTheRowsThatChanged()
    {
        addProcess(300, QStringLiteral("Editor"));
        addProcess(301, QStringLiteral("Mail"));
        auto controller = makeController();
        controller->present();
        settle();
        QVERIFY(QTest::qWaitForWindowExposed(controller->window()));
        ProcessListView *list = controller->window()->view()->processList();
        m_clock.advance(1000);
        settle();
        QTest::qWait(50);
        PaintLog log;
        log.watch(list->viewport());
        m_clock.advance(1000);
        settle();
        QTest::qWait(50);
        QVERIFY(log.isEmpty());

        Sim::SimulatedStatistics::Process mail;
        mail.statistics.identity = ProcessIdentity { ownUid, 1'000, false, false };
        mail.statistics.name = QStringLiteral("Mail");
        mail.statistics.memory = 2'000'000;
        m_stats.setProcess(301, mail);
        m_clock.advance(1000);
        settle();
        QTRY_VERIFY(!log.isEmpty());
        QTest::qWait(50);
        const ProcessListViewModel &rows = controller->viewModel().processList();
        QRect mailRow;
        for (int row = 0; row < rows.displayedCount(); ++row) {
            if (rows.model()->process(row).id == 301)
                mailRow = list->visualRect(list->model()->index(row, 0));
        }
        QVERIFY(!mailRow.isEmpty());
        for (const QRegion &painted : log.of(list->viewport()))
            QVERIFY((painted - mailRow).isEmpty());
        removeProcesses({ 300, 301 });
    }

    void clickingARowSelectsItAndTheBackgroundClearsIt()
    {
        addProcess(300, QStringLiteral("Editor"));
        addProcess(301, QStringLiteral("Mail"));
        auto controller = makeController();
        controller->present();
        settle();
        ProcessListViewModel &list = controller->viewModel().processList();
        QCOMPARE(list.displayedCount(), 2);
        ProcessListView *rows = controller->window()->view()->processList();
        const QRect first = rows->visualRect(rows->model()->index(0, 0));
        QTest::mouseClick(rows->viewport(), Qt::LeftButton, {}, first.center());
        QCOMPARE(list.selection(), list.displayedProcesses().first().id);
        QTest::mouseClick(
            rows->viewport(), Qt::LeftButton, {}, QPoint(first.center().x(), rows->viewport()->height() - 3));
        QVERIFY(!list.selection());
        removeProcesses({ 300, 301 });
    }

    void endingAsksFirst()
    {
        addProcess(300, QStringLiteral("Editor"));
        auto controller = makeController();
        controller->present();
        settle();
        ProcessListViewModel &list = controller->viewModel().processList();
        controller->viewModel().actions().requestEnd(list.displayedProcesses().first(), false);
        TaskManagerAlert *alert = controller->window()->view()->alert();
        QVERIFY(alert);
        QCOMPARE(alert->title(), QStringLiteral("End Editor?"));
        alert->reject();
        QVERIFY(!controller->viewModel().actions().pending());
        QVERIFY(m_signaller.requests().isEmpty());
        removeProcesses({ 300 });
    }

private:
    void removeProcesses(const QList<qint32> &pids)
    {
        for (qint32 pid : pids)
            m_stats.removeProcess(pid);
    }
};

QTEST_MAIN(TestTaskManagerWindow)
#include "tst_taskmanagerwindow.moc"
