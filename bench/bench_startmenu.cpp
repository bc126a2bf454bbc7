// The Start menu on the simulated desktop: a press on Start until the menu
// is laid out and drawn with 500 installed apps, and one keystroke in its
// search field re-filtering and regrouping 1,000 apps.

#include "../tests/bar/barfakes.h"
#include "../tests/startmenu/startmenuworld.h"
#include "bar/applicationpopoverservices.h"
#include "bar/instantpopover.h"
#include "bar/model/animator.h"
#include "bar/taskbariconbutton.h"
#include "bar/taskbarview.h"
#include "startmenu/startmenuview.h"
#include "threadcputime.h"
#include "qtwidgetsbenchmarkmain.h"

#include <QApplication>
#include <QTest>

#include <benchmark/benchmark.h>


using namespace Velmora;

namespace {

QStringList appNames(int count)
{
    // Names spread over the alphabet, as a real Applications folder is.
    QStringList names;
    for (int i = 0; i < count; ++i)
        names << QStringLiteral("%1%2 App %3").arg(QChar(u'A' + i % 26)).arg(QChar(u'a' + (i / 26) % 26)).arg(i);
    return names;
}

// One display's bar whose Start button opens the Start menu.
struct StartBar : Test::StartMenuWorld
{
    Animator animator{clock, clock};
    Test::RecordingBarActions actions;
    ApplicationPopoverServices popovers{clock, clock, animator, displays, eventTaps};
    QPointer<StartMenuView> menuView;
    std::unique_ptr<TaskbarView> bar;

    explicit StartBar(int apps)
        : StartMenuWorld(appNames(apps), appNames(apps).mid(0, 8))
    {
        animator.setInstant(true);
        TaskbarViewEnvironment environment{*store, actions, animator, icons, popovers};
        environment.startMenu = [this](quint32 displayID) -> QWidget * {
            menuView = new StartMenuView({*store, displays, folderWorkspace, clock, animator, icons, sections},
                                         StartMenuMode::Start, displayID);
            return menuView;
        };
        bar = std::make_unique<TaskbarView>(environment, 1);
        bar->setWindowFlags(Qt::FramelessWindowHint | Qt::Tool);
        bar->setGeometry(0, 900 - 57, 1440, 57);
        bar->show();
        settleAll();
    }
    void settleAll()
    {
        background.runAll();
        clock.runPending();
        clock.advance(1000);
        QCoreApplication::processEvents();
    }
};

// Press and release on Start, the store's changes delivered, the popover
// shown and the menu drawn once: the main thread's CPU time of it all.
void BM_PressStartToMenuLaidOut(benchmark::State &state)
{
    StartBar world(int(state.range(0)));
    TaskbarIconButton *start = world.bar->startButton();
    const QPoint centre = start->rect().center();
    qint64 cpuNs = 0;
    int shown = 0;
    for (auto _ : state) {
        const qint64 before = threadCpuNs();
        QTest::mousePress(start, Qt::LeftButton, {}, centre);
        QTest::mouseRelease(start, Qt::LeftButton, {}, centre);
        world.clock.runPending();
        QCoreApplication::processEvents();
        if (world.menuView)
            world.menuView->grab();
        cpuNs += threadCpuNs() - before;
        state.PauseTiming();
        InstantPopover *popover = world.bar->startMenuPopover();
        shown += popover && popover->isShown() && world.menuView
            && !world.menuView->model().sections().isEmpty();
        world.store->flyouts().dismissFlyouts();
        world.settleAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    const double n = double(state.iterations());
    state.counters["menuShown"] = shown / n;
    state.counters["mainThreadCpuMs"] = double(cpuNs) / 1e6 / n;
}
BENCHMARK(BM_PressStartToMenuLaidOut)->Arg(500)->Unit(benchmark::kMillisecond);

// One keystroke: the store's search text changes and the menu's sections
// are asked for, filtered and regrouped (range 0), or a keystroke that
// leaves the same results (a trailing space, range 1), which regroups nothing.
void BM_KeystrokeRegroup(benchmark::State &state)
{
    Test::StartMenuWorld world(appNames(int(state.range(0))));
    const bool sameResults = state.range(1) > 0;
    const QStringList texts = sameResults ? QStringList{"m", "m "} : QStringList{"m", "ma"};
    world.menu->sections();
    const int groupingsBefore = world.sections.groupings();
    qint64 cpuNs = 0;
    qsizetype shown = 0;
    int i = 0;
    for (auto _ : state) {
        const qint64 before = threadCpuNs();
        world.menu->setSearchText(texts.at(i++ % 2));
        world.clock.runPending();
        shown += world.menu->sections().size();
        cpuNs += threadCpuNs() - before;
    }
    const double n = double(state.iterations());
    state.counters["sections"] = double(shown) / n;
    state.counters["groupingsPerKeystroke"] = double(world.sections.groupings() - groupingsBefore) / n;
    state.counters["mainThreadCpuMs"] = double(cpuNs) / 1e6 / n;
}
BENCHMARK(BM_KeystrokeRegroup)->Args({1000, 0})->Args({1000, 1})->Unit(benchmark::kMicrosecond);

} // namespace

VELMORA_QT_WIDGETS_BENCHMARK_MAIN()

