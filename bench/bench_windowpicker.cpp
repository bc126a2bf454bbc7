#include "../tests/store/storeworld.h"
#include "bar/model/animator.h"
#include "picker/model/windowpickerviewmodel.h"

#include "qtbenchmarkmain.h"

#include <benchmark/benchmark.h>

using namespace Velmora;

namespace {

// A picker open on an editor with `count` windows, every card showing its
// image, among the windows of a few other applications.
struct OpenPicker : Test::StoreWorld
{
    qint32 editor = 0;
    std::unique_ptr<TaskbarStore> store;
    int published = 0;

    explicit OpenPicker(int count)
    {
        DisplayInfo display;
        display.displayId = 1;
        display.bounds = QRectF(0, 0, 2560, 1440);
        desktop.setDisplays({ display });
        for (int other = 0; other < 5; ++other) {
            const qint32 pid = addApp(QStringLiteral("Other%1").arg(other));
            for (int i = 0; i < 4; ++i)
                addWindow(pid, QRectF(40 * i, 30 * other, 700, 500), QStringLiteral("Other %1").arg(i));
        }
        editor = addApp("Editor");
        for (int i = 0; i < count; ++i)
            addWindow(editor, QRectF(50 + 20 * i, 40 + 10 * i, 900, 600), QStringLiteral("Document %1").arg(i));
        store = make(false);
        WindowPicker &picker = store->windowPicker();
        picker.prepareWindowPicker(appItem("Editor"), 1);
        background.runAll();
        WindowCapture::Thumbnails images;
        const QHash<quint32, QString> titles = provider.windowServerTitles();
        for (const WindowPreviewItem &preview : picker.windowPreviews()) {
            QImage image(440, 293, QImage::Format_ARGB32_Premultiplied);
            image.fill(QColor::fromRgb(quint32(preview.windowID.value_or(0)) * 2654435761u));
            images.insert(preview.id, CapturedThumbnail { image, titles.value(*preview.windowID) });
        }
        capture.completeCapture(0, images);

        const auto counted = [this] { ++published; };
        QObject::connect(&picker, &WindowPicker::windowPickerAppIDChanged, counted);
        QObject::connect(&picker, &WindowPicker::windowPreviewsChanged, counted);
        QObject::connect(&picker, &WindowPicker::visibleWindowPreviewIDsChanged, counted);
        QObject::connect(&picker, &WindowPicker::windowPreviewIDToRevealChanged, counted);
        QObject::connect(&picker, &WindowPicker::isAwaitingNewWindowChanged, counted);
        QObject::connect(&picker, &WindowPicker::windowPreviewIDReplacingPlaceholderChanged, counted);
        QObject::connect(&store->permissions(), &Permissions::hasScreenCapturePermissionChanged, counted);
    }
};

} // namespace

// A fresh listing of the open picker's app that finds nothing new: the cards
// keep their images, and nothing is published, so the picker does not redraw.
static void BM_ReconcileUnchangedPicker(benchmark::State &state)
{
    OpenPicker picker(int(state.range(0)));
    WindowPicker &windowPicker = picker.store->windowPicker();
    // As the background fetch delivers it: listing order, no images.
    const QList<WindowPreviewItem> fresh = picker.provider.windows(picker.app(picker.editor));
    for (auto _ : state)
        windowPicker.reconcilePresentedWindowPreviews(fresh, picker.editor);
    if (picker.published != 0)
        state.SkipWithError("an unchanged reconcile published a change");
    if (windowPicker.windowPreviews().size() != state.range(0) || !windowPicker.windowPreviews().first().thumbnail)
        state.SkipWithError("the cards lost their images");
    state.counters["cards"] = double(windowPicker.windowPreviews().size());
}
BENCHMARK(BM_ReconcileUnchangedPicker)->Arg(30)->Unit(benchmark::kMicrosecond);

// The one read of the window server a reconcile makes (the titles that tell
// whether a kept image is still right), for comparison with the whole.
static void BM_WindowServerTitles(benchmark::State &state)
{
    OpenPicker picker(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(picker.provider.windowServerTitles());
}
BENCHMARK(BM_WindowServerTitles)->Arg(30)->Unit(benchmark::kMicrosecond);

// One turn of the picker's view-model after a store change that moves no
// card (the visible windows were refreshed): it lays nothing out and only
// checks for a card to reveal. The picker sees such a change every 0.5 s.
static void BM_PickerTurnWithNothingToLayOut(benchmark::State &state)
{
    OpenPicker picker(int(state.range(0)));
    Animator animator(picker.clock, picker.clock);
    WindowPickerViewModel model(*picker.store, Test::StoreWorld::appItem("Editor"), 1, 159, animator);
    model.scroller().setVisibleWidth(704);
    model.flush();
    for (auto _ : state) {
        model.invalidate(WindowPickerViewModel::StripChanged);
        model.flush();
    }
    if (model.scroller().laidOutPreviewIDs()->size() != state.range(0))
        state.SkipWithError("the strip is not laid out");
}
BENCHMARK(BM_PickerTurnWithNothingToLayOut)->Arg(10)->Arg(30)->Unit(benchmark::kMicrosecond);

// One pointer move of a card dragged to and fro across the strip in fixed
// order: the drag state, the store's reorder when a slot is crossed, and the
// strip's items and offsets the view places the cards from.
static void BM_PickerDragStep(benchmark::State &state)
{
    OpenPicker picker(int(state.range(0)));
    Animator animator(picker.clock, picker.clock);
    WindowPickerViewModel model(*picker.store, Test::StoreWorld::appItem("Editor"), 1, 159, animator);
    WindowPreviewStripModel &strip = model.strip();
    const QString dragged = picker.store->windowPicker().windowPreviews().first().id;
    const double across = 234.0 * double(state.range(0) - 1);
    double translation = 0;
    double step = 13;
    strip.pressChanged(dragged, true);
    for (auto _ : state) {
        translation += step;
        if (translation > across || translation < 0)
            step = -step;
        strip.dragChanged(dragged, translation);
        for (const WindowPreviewStripModel::Item &item : strip.items())
            benchmark::DoNotOptimize(strip.offset(item.id));
    }
    strip.dragEnded();
}
BENCHMARK(BM_PickerDragStep)->Arg(10)->Unit(benchmark::kMicrosecond);

VELMORA_QT_BENCHMARK_MAIN();
