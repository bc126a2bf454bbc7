// The bar of one display on the simulated desktop: a click that opens the
// window picker, an idle bar and one app's change of running state, and a
// drag across twenty buttons.

#include "../tests/bar/barworld.h"
#include "bar/applicationpopoverservices.h"
#include "bar/apptaskbarbutton.h"
#include "bar/instantpopover.h"
#include "bar/taskbarview.h"
#include "platform/sim/simoperations.h"
#include "threadcputime.h"
#include "qtwidgetsbenchmarkmain.h"

#include <QApplication>
#include <QTest>

#include <benchmark/benchmark.h>


using namespace Velmora;

namespace {

// Counts paint events per widget.
class PaintCounter : public QObject
{
public:
    QHash<QObject *, int> paints;
    int total() const
    {
        int sum = 0;
        for (int count : paints)
            sum += count;
        return sum;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints[watched];
        return false;
    }
};

struct Bar : Test::BarWorld
{
    ApplicationPopoverServices popovers{clock, clock, animator, displays, eventTaps};
    std::unique_ptr<TaskbarView> view;

    explicit Bar(const QStringList &apps, int width = 1440)
        : BarWorld(apps)
    {
        DisplayInfo display;
        display.displayId = 1;
        display.bounds = QRectF(0, 0, width, 900);
        desktop.setDisplays({display});
        animator.setInstant(false);
        view = std::make_unique<TaskbarView>(TaskbarViewEnvironment{*store, actions, animator, icons, popovers}, 1);
        view->setWindowFlags(Qt::FramelessWindowHint | Qt::Tool);
        view->setGeometry(0, 900 - 57, width, 57);
        view->show();
        settle();
        QCoreApplication::processEvents();
    }
    void settle()
    {
        background.runAll();
        clock.runPending();
        clock.advance(1000);
        QCoreApplication::processEvents();
    }
    qint32 pid(const QString &name) const
    {
        return workspace.runningApplications(QStringLiteral("com.example.") + name).constFirst().processIdentifier;
    }
};

QStringList withEditor(int count)
{
    QStringList apps {"Editor", "Mail", "Notes"};
    for (int i = 4; i <= count; ++i)
        apps << QStringLiteral("App%1").arg(i, 2, 10, QLatin1Char('0'));
    return apps;
}

// A click on an app button with two windows, from the mouse-down to the
// picker's popover shown, as the main thread spends it (thread CPU time), and
// how many requests it sent to any application: none, so a hung application
// (range 1: the mail app hangs) cannot lengthen it.
void BM_ClickToPicker(benchmark::State &state)
{
    Bar bar(withEditor(8));
    AppTaskbarButton *editor = bar.view->appButton(QStringLiteral("com.example.Editor"));
    const QPoint centre = editor->rect().center();
    // The pointer rests on the button first: its windows are fetched ahead.
    bar.view->model().hoverAppButton(editor->appID(), true);
    bar.settle();
    if (state.range(0) > 0)
        bar.desktop.updateProcess(bar.pid(QStringLiteral("Mail")), [](Sim::SimProcess &process) { process.hung = true; });
    int shown = 0;
    qint64 cpuNs = 0;
    qsizetype appRequests = 0;
    // What only the application itself can answer (the window list is the
    // window server's, which answers for it).
    const QSet<QString> askedApplication {Sim::SimOperations::CopyAttributeValue,
                                          Sim::SimOperations::CopyMultipleAttributeValues,
                                          Sim::SimOperations::AttributeValueCount,
                                          Sim::SimOperations::IsAttributeSettable,
                                          Sim::SimOperations::SetAttributeValue,
                                          Sim::SimOperations::PerformAction,
                                          Sim::SimOperations::ElementAtPosition};
    for (auto _ : state) {
        bar.desktop.clearRequests();
        const qint64 before = threadCpuNs();
        QTest::mousePress(editor, Qt::LeftButton, {}, centre);
        QTest::mouseRelease(editor, Qt::LeftButton, {}, centre);
        cpuNs += threadCpuNs() - before;
        state.PauseTiming();
        for (const Sim::SimRequest &request : bar.desktop.requests())
            appRequests += request.pid != 0 && askedApplication.contains(request.operation);
        InstantPopover *popover = bar.view->pickerPopover(editor->appID());
        shown += popover && popover->isShown() ? 1 : 0;
        bar.store->flyouts().dismissFlyouts();
        bar.background.runAll();
        bar.clock.runPending();
        bar.clock.advance(1000); // the popover's closing ends
        QCoreApplication::processEvents();
        // Outside a running event loop, deleteLater() waits for this.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    const double n = double(state.iterations());
    state.counters["pickerShown"] = shown / n;
    state.counters["mainThreadCpuUs"] = double(cpuNs) / 1000.0 / n;
    state.counters["accessibilityRequests"] = double(appRequests) / n;
}
BENCHMARK(BM_ClickToPicker)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// An idle bar over ten seconds of the store's refresh ticks paints nothing;
// one app quitting repaints that app's button alone.
void BM_RunningStateChange(benchmark::State &state)
{
    Bar bar(withEditor(12));
    // A pinned app keeps its button when it quits; only its indicator changes.
    bar.store->pin(bar.app(QStringLiteral("Notes")));
    bar.settle();
    PaintCounter counter;
    qApp->installEventFilter(&counter);
    bar.clock.advance(10'000);
    QCoreApplication::processEvents();
    const int idlePaints = counter.total();

    const QString notes = QStringLiteral("com.example.Notes");
    int others = 0;
    int button = 0;
    int changes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        counter.paints.clear();
        const bool quit = changes % 2 == 0;
        if (quit)
            bar.desktop.killProcess(bar.pid(QStringLiteral("Notes")));
        else
            bar.addApp(QStringLiteral("Notes"));
        ++changes;
        state.ResumeTiming();
        bar.store->refreshRunningApps();
        bar.clock.runPending();
        QCoreApplication::processEvents();
        state.PauseTiming();
        for (auto it = counter.paints.cbegin(); it != counter.paints.cend(); ++it) {
            auto *widget = qobject_cast<AppTaskbarButton *>(it.key());
            if (widget && widget->appID() == notes)
                button += it.value();
            else if (qobject_cast<QWidget *>(it.key()) && it.key() != bar.view.get())
                others += it.value();
        }
        state.ResumeTiming();
    }
    qApp->removeEventFilter(&counter);
    state.counters["idlePaints"] = idlePaints;
    state.counters["buttonPaintsPerChange"] = double(button) / double(state.iterations());
    state.counters["otherWidgetPaintsPerChange"] = double(others) / double(state.iterations());
}
BENCHMARK(BM_RunningStateChange)->Unit(benchmark::kMicrosecond);

// A drag of the first button across twenty others, one pointer move per
// 16 ms frame: the slowest frame's main-thread work (the move, the
// animator's step and the repaint).
void BM_DragAcrossTwentyButtons(benchmark::State &state)
{
    Bar bar(withEditor(24), 1440);
    double slowest = 0;
    double total = 0;
    int frames = 0;
    int slowestFrame = 0;
    for (auto _ : state) {
        AppTaskbarButton *first = bar.view->appButtons().constFirst();
        const QPoint start = first->rect().center();
        QTest::mousePress(first, Qt::LeftButton, {}, start);
        int frame = 0;
        for (int dx = 8; dx <= 20 * 47; dx += 8, ++frame) {
            const qint64 before = threadCpuNs();
            QTest::mouseMove(first, start + QPoint(dx, 0));
            bar.clock.advance(16);
            QCoreApplication::processEvents();
            const double ms = double(threadCpuNs() - before) / 1e6;
            if (ms > slowest) {
                slowest = ms;
                slowestFrame = frame;
            }
            total += ms;
            ++frames;
        }
        QTest::mouseRelease(first, Qt::LeftButton, {}, start + QPoint(20 * 47, 0));
        state.PauseTiming();
        bar.clock.advance(1000);
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["slowestFrameMs"] = slowest;
    state.counters["slowestFrame"] = slowestFrame;
    state.counters["meanFrameMs"] = total / std::max(frames, 1);
}
BENCHMARK(BM_DragAcrossTwentyButtons)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

VELMORA_QT_WIDGETS_BENCHMARK_MAIN()
