#include "platform/accessibility.h"
#include "platform/axnames.h"
#include "platform/displays.h"
#include "platform/sim/simplatform.h"
#include "platform/sim/virtualclock.h"
#include "platform/windowlist.h"
#include "services/appexpose.h"
#include "services/coverwatch.h"
#include "services/fullscreendisplaydetector.h"
#include "services/watchservices.h"
#include "services/watchthreads.h"
#include "services/windowpreviewprovider.h"
#include "services/windowstack.h"
#include "services/windowworkareamanager.h"

#include "qtbenchmarkmain.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>

using namespace Velmora;

// Every heap allocation of the process, Qt's included (Qt allocates its
// containers with malloc, not operator new), counted while `counting` is set.
namespace {
std::atomic<bool> counting { false };
std::atomic<long> allocations { 0 };
} // namespace

extern "C" {
void *__libc_malloc(size_t size);
void *__libc_calloc(size_t count, size_t size);
void *__libc_realloc(void *pointer, size_t size);

void *malloc(size_t size)
{
    if (counting.load(std::memory_order_relaxed))
        allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_malloc(size);
}
void *calloc(size_t count, size_t size)
{
    if (counting.load(std::memory_order_relaxed))
        allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_calloc(count, size);
}
void *realloc(void *pointer, size_t size)
{
    if (counting.load(std::memory_order_relaxed))
        allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_realloc(pointer, size);
}
}

namespace {

// Counts the allocations of one call, for the "allocations" counter.
template<typename Call> long allocationsOf(Call &&call)
{
    allocations = 0;
    counting = true;
    call();
    counting = false;
    return allocations.load();
}

QList<DisplayInfo> tenDisplays()
{
    QList<DisplayInfo> displays;
    for (int i = 0; i < 10; ++i) {
        DisplayInfo display;
        display.displayId = quint32(i + 1);
        display.bounds = QRectF(1920.0 * i, 0, 1920, 1080);
        display.frame = display.bounds;
        display.visibleFrame = display.bounds.adjusted(0, 0, 0, -25);
        displays.append(display);
    }
    return displays;
}

// --- The product's own code, on platform stand-ins that answer from memory --

class FixedDisplays final : public Displays
{
public:
    explicit FixedDisplays(QList<DisplayInfo> screens)
        : m_screens(std::move(screens))
    {
    }
    QList<DisplayInfo> screens() const override { return m_screens; }
    std::optional<DisplayInfo> mainScreen() const override { return m_screens.value(0); }
    std::optional<QList<quint32>> activeDisplayList() const override { return std::nullopt; }
    QPointF pointerLocation() const override { return {}; }

private:
    QList<DisplayInfo> m_screens;
};

class FixedWindowList final : public WindowList
{
public:
    QList<WindowListEntry> entries;
    std::optional<QList<WindowListEntry>> copyWindowInfo(quint32, quint32) const override { return entries; }
};

// One window per element token (1...n) of process 1, and one application
// element (token 0x10000) listing them. Nothing is changed by writes.
class MemoryAccessibility final : public Accessibility
{
public:
    struct Window
    {
        QRectF frame;
        bool fullScreen = false;
    };
    static constexpr quint64 applicationToken = 0x10000;

    QList<Window> windows;
    AXValue windowList;

    void setWindows(QList<Window> list)
    {
        windows = std::move(list);
        QList<AXElement> elements;
        for (qsizetype i = 0; i < windows.size(); ++i)
            elements.append(AXElement(1, quint64(i + 1)));
        windowList = AXValue::fromElements(elements);
    }

    bool isProcessTrusted() const override { return true; }
    bool isProcessTrustedWithPrompt(bool) override { return true; }
    AXElement applicationElement(qint32 pid) const override { return AXElement(pid, applicationToken); }
    AXElement systemWideElement() const override { return {}; }
    AXResult<qint32> processIdentifier(const AXElement &element) const override { return element.processIdentifier(); }
    AXResult<AXValue> copyAttributeValue(const AXElement &element, const QString &attribute) override
    {
        if (element.token() == applicationToken)
            return attribute == AXNames::Windows ? AXResult<AXValue>(windowList) : AXError::NoValue;
        const Window &window = windows[qsizetype(element.token() - 1)];
        if (attribute == AXNames::FullScreen)
            return AXValue::fromBool(window.fullScreen);
        if (attribute == AXNames::Position)
            return AXValue::fromPoint(window.frame.topLeft());
        if (attribute == AXNames::Size)
            return AXValue::fromSize(window.frame.size());
        return AXError::AttributeUnsupported;
    }
    AXResult<std::vector<AXValue>> copyMultipleAttributeValues(
        const AXElement &, const QStringList &, BatchOptions) override
    {
        return AXError::Failure;
    }
    AXResult<qint64> attributeValueCount(const AXElement &, const QString &) override { return AXError::Failure; }
    AXResult<bool> isAttributeSettable(const AXElement &, const QString &) override { return true; }
    AXError setAttributeValue(const AXElement &, const QString &, const AXValue &) override { return AXError::Success; }
    AXError performAction(const AXElement &, const QString &) override { return AXError::Success; }
    AXError setMessagingTimeout(const AXElement &, double) override { return AXError::Success; }
    double messagingTimeout(const AXElement &) const override { return 0; }
    AXResult<AXElement> elementAtPosition(const AXElement &, const QPointF &) override { return AXError::Failure; }
    std::unique_ptr<AccessibilityObserver> createObserver(qint32, QObject *, NotificationCallback) override
    {
        return nullptr;
    }
};

WindowListEntry entry(quint32 number, qint32 pid, const QRectF &bounds)
{
    return WindowListEntry(QVariantMap { { QString(WindowListEntry::NumberKey), number },
        { QString(WindowListEntry::OwnerPIDKey), pid }, { QString(WindowListEntry::LayerKey), 0 },
        { QString(WindowListEntry::BoundsKey), WindowListEntry::boundsDictionary(bounds) } });
}

// `windows` entries of 30 processes over ten displays; process 1 covers
// display 3 with a full-screen window.
void fullScreenOwnCode(benchmark::State &state)
{
    const int windows = int(state.range(0));
    Sim::VirtualClock clock;
    Sim::SimPlatform platform(clock); // only for its workspace's own process number
    FixedDisplays displays(tenDisplays());
    FixedWindowList windowList;
    windowList.entries.append(entry(1, 1, QRectF(3840, 0, 1920, 1080)));
    for (int i = 1; i < windows; ++i)
        windowList.entries.append(entry(quint32(i + 1), 2 + i % 29, QRectF(1920.0 * (i % 10) + 40, 60, 900, 700)));
    MemoryAccessibility accessibility;
    accessibility.setWindows({ { QRectF(3840, 0, 1920, 1080), true } });
    FullScreenDisplayDetector detector(accessibility, windowList, displays, platform.workspace);

    long perCall = 0;
    for (auto _ : state) {
        perCall = allocationsOf([&] {
            const QSet<quint32> ids = detector.displayIDs();
            if (ids != QSet<quint32> { 3 })
                state.SkipWithError("wrong displays");
            benchmark::DoNotOptimize(ids);
        });
    }
    state.counters["allocations"] = double(perCall);
}

void workAreaOwnCode(benchmark::State &state)
{
    const int windows = int(state.range(0));
    Sim::VirtualClock clock;
    Sim::SimPlatform platform(clock);
    FixedDisplays displays(tenDisplays());
    MemoryAccessibility accessibility;
    QList<MemoryAccessibility::Window> list;
    // Every window reaches into the strip and is moved up.
    for (int i = 0; i < windows; ++i)
        list.append({ QRectF(1920.0 * (i % 10) + 10, 500, 800, 560), false });
    accessibility.setWindows(list);
    WindowWorkAreaManager manager(accessibility, platform.workspace, displays);
    const QList<WindowWorkAreaManager::DisplayWorkArea> areas = manager.displayWorkAreas(57);
    RunningApplication application;
    application.processIdentifier = 1;

    long perCall = 0;
    for (auto _ : state) {
        perCall = allocationsOf([&] {
            const WindowWorkAreaManager::Counts counts = manager.keepWindowsInWorkArea(application, areas);
            if (counts.adjusted != windows)
                state.SkipWithError("wrong count");
            benchmark::DoNotOptimize(counts);
        });
    }
    state.counters["allocations"] = double(perCall);
}

// --- The same on the simulated desktop, platform costs included --------------

void fullScreenOnSimulatedDesktop(benchmark::State &state)
{
    Sim::VirtualClock clock;
    Sim::SimPlatform platform(clock);
    Sim::SimDesktop &desktop = platform.desktop;
    desktop.setDisplays(tenDisplays());
    QList<qint32> pids;
    for (int i = 0; i < 30; ++i) {
        Sim::SimProcess process;
        process.name = QString("App %1").arg(i);
        pids.append(desktop.addProcess(process));
    }
    // Three applications are full screen; one more shows a borderless window the size of a display.
    for (int i = 0; i < 300; ++i) {
        Sim::SimWindow window;
        window.ownerPid = pids[i % 30];
        window.bounds = QRectF(1920.0 * (i % 10) + 40, 60, 900, 700);
        if (i < 4) {
            window.bounds = QRectF(1920.0 * (2 * i + 1), 0, 1920, 1080);
            window.fullScreen = i < 3;
        }
        desktop.addWindow(window);
    }
    FullScreenDisplayDetector detector(
        platform.accessibility, platform.windowList, platform.displays, platform.workspace);
    for (auto _ : state) {
        const QSet<quint32> ids = detector.displayIDs();
        if (ids != QSet<quint32> { 2, 4, 6 })
            state.SkipWithError("wrong displays");
        benchmark::DoNotOptimize(ids);
        state.PauseTiming();
        desktop.clearRequests();
        state.ResumeTiming();
    }
}

void workAreaOnSimulatedDesktop(benchmark::State &state)
{
    Sim::VirtualClock clock;
    Sim::SimPlatform platform(clock);
    Sim::SimDesktop &desktop = platform.desktop;
    desktop.setDisplays(tenDisplays());
    QList<quint32> numbers;
    QList<QRectF> frames;
    for (int app = 0; app < 10; ++app) {
        Sim::SimProcess process;
        process.name = QString("App %1").arg(app);
        const qint32 pid = desktop.addProcess(process);
        for (int i = 0; i < 10; ++i) {
            Sim::SimWindow window;
            window.ownerPid = pid;
            window.bounds = QRectF(1920.0 * i + 10 * app, 500, 800, 560);
            frames.append(window.bounds);
            numbers.append(desktop.addWindow(window));
        }
    }
    WindowWorkAreaManager manager(platform.accessibility, platform.workspace, platform.displays);
    for (auto _ : state) {
        const WindowWorkAreaManager::Report report = manager.apply(57);
        if (report.adjusted != 100)
            state.SkipWithError("wrong count");
        benchmark::DoNotOptimize(report);
        state.PauseTiming();
        for (qsizetype i = 0; i < numbers.size(); ++i)
            desktop.updateWindow(numbers[i], [&](Sim::SimWindow &window) { window.bounds = frames[i]; });
        desktop.clearRequests();
        state.ResumeTiming();
    }
}

// One cover watch over its whole 1.5 s on the simulated desktop (request log
// off): `windows` windows of 10 applications, three siblings of the watched
// application each under two covering windows. The watch runs on the
// benchmark's thread; its 2 ms pauses move the virtual clock, so the time
// measured is the CPU time of its 750 polls (and the one burst of raises
// when `siblingsUp`: the siblings already stand over their covers).
void coverWatch(benchmark::State &state)
{
    const int windows = int(state.range(0));
    const bool siblingsUp = state.range(1) != 0;
    Sim::VirtualClock clock;
    Sim::SimPlatform platform(clock);
    platform.desktop.setRequestLogEnabled(false);
    QList<qint32> pids;
    for (int i = 0; i < 10; ++i) {
        Sim::SimProcess process;
        process.name = QStringLiteral("App%1").arg(i);
        process.bundleIdentifier = QStringLiteral("com.example.App%1").arg(i);
        pids.append(platform.desktop.addProcess(process));
    }
    QList<quint32> siblings;
    QList<quint32> coverWindows;
    for (int i = 0; i < windows; ++i) {
        Sim::SimWindow window;
        window.ownerPid = pids[i % 10];
        window.bounds = QRectF(40.0 * (i % 20), 30.0 * (i % 15), 700, 500);
        const quint32 number = platform.desktop.addWindow(window);
        if (i % 10 == 0 && siblings.size() < 3)
            siblings.append(number);
    }
    // Each sibling lies under the two windows added right after it.
    QList<quint32> order;
    for (quint32 sibling : siblings) {
        order.prepend(sibling);
        order.prepend(sibling + 1);
        order.prepend(sibling + 2);
        coverWindows << sibling + 1 << sibling + 2;
    }
    platform.desktop.setStackingOrder(order);

    WindowPreviewProvider provider(platform.accessibility, platform.windowList, platform.privateFunctions,
        platform.displays, platform.workspace, clock);
    AppExpose expose(platform.privateFunctions, clock);
    WatchThreads threads(clock, clock);
    WindowStack stack(platform.windowList);
    QObject mainContext;
    const WatchServices services { platform.accessibility, stack, platform.workspace, platform.eventTaps, expose,
        provider, threads, &mainContext, platform.workspace.currentProcessIdentifier() };
    CoverWatch::Generation generation;
    const QList<CoverWatch::Cover> covers
        = CoverWatch::covers(stack.windowEntries(), pids[0], services.ownPid, std::nullopt);
    if (covers.isEmpty())
        state.SkipWithError("no covers");

    long perWatch = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (siblingsUp)
            platform.desktop.setStackingOrder(siblings);
        CoverWatch watch(services, generation, generation.advance(), covers, std::nullopt);
        state.ResumeTiming();
        perWatch = allocationsOf([&] { watch.run(); });
    }
    threads.waitForAll();
    state.counters["allocations"] = double(perWatch);
    state.counters["polls"] = double(CoverWatch::durationMs / CoverWatch::pollIntervalMs);
}

// One poll's read of the stack, as a watch makes it again and again: after
// the first read it allocates nothing (the "allocations" counter is per read).
void coverWatchPoll(benchmark::State &state)
{
    Sim::VirtualClock clock;
    Sim::SimPlatform platform(clock);
    platform.desktop.setRequestLogEnabled(false);
    Sim::SimProcess process;
    process.name = QStringLiteral("App");
    const qint32 pid = platform.desktop.addProcess(process);
    for (int i = 0; i < int(state.range(0)); ++i) {
        Sim::SimWindow window;
        window.ownerPid = pid;
        window.bounds = QRectF(10.0 * (i % 50), 10.0 * (i % 40), 700, 500);
        platform.desktop.addWindow(window);
    }
    WindowStack stack(platform.windowList);
    WindowStack::Reading reading;
    reading.reserve(64);
    stack.readStack(reading);
    long perRead = 0;
    for (auto _ : state) {
        perRead = allocationsOf([&] { benchmark::DoNotOptimize(stack.readStack(reading).size()); });
    }
    state.counters["allocations"] = double(perRead);
}

} // namespace

BENCHMARK(fullScreenOwnCode)
    ->Name("FullScreenDetection/ownCode/windows")
    ->Arg(30)
    ->Arg(300)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(fullScreenOnSimulatedDesktop)
    ->Name("FullScreenDetection/simulatedDesktop/10displays/300windows")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(workAreaOwnCode)->Name("WorkAreaPass/ownCode/windows")->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);
BENCHMARK(workAreaOnSimulatedDesktop)->Name("WorkAreaPass/simulatedDesktop/100windows")->Unit(benchmark::kMicrosecond);

BENCHMARK(coverWatch)
    ->Name("CoverWatch/oneWatch/windows,siblingsUp")
    ->Args({ 30, 0 })
    ->Args({ 100, 0 })
    ->Args({ 100, 1 })
    ->Unit(benchmark::kMillisecond);
BENCHMARK(coverWatchPoll)->Name("CoverWatch/onePoll/windows")->Arg(30)->Arg(100)->Unit(benchmark::kMicrosecond);

VELMORA_QT_BENCHMARK_MAIN()
