#include "../tests/store/storeworld.h"

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

VELMORA_QT_BENCHMARK_MAIN();
