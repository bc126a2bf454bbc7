#include "store/velmoraicon.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

using namespace Velmora;

// The product icon at the two sizes that matter: the overflow list's 34
// points on a high-density display, and the 512-point application icon.
// Arguments: size in points, device pixel ratio.
static void iconSizes(benchmark::internal::Benchmark *benchmark)
{
    benchmark->Args({ 34, 2 })->Args({ 512, 1 });
}

// Drawing the icon outright: what every request cost before rasters were kept.
static void BM_VelmoraIconDraw(benchmark::State &state)
{
    const int size = int(state.range(0));
    const qreal ratio = qreal(state.range(1));
    for (auto _ : state) {
        QImage image(int(size * ratio), int(size * ratio), QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        VelmoraIcon::drawAppIcon(&painter, size);
        painter.end();
        benchmark::DoNotOptimize(image);
    }
}
BENCHMARK(BM_VelmoraIconDraw)->Apply(iconSizes)->Unit(benchmark::kMicrosecond);

// A size the cache has not seen: drawn once and kept.
static void BM_VelmoraIconCacheMiss(benchmark::State &state)
{
    const int size = int(state.range(0));
    const qreal ratio = qreal(state.range(1));
    for (auto _ : state) {
        state.PauseTiming();
        VelmoraIcon::clearCache();
        state.ResumeTiming();
        benchmark::DoNotOptimize(VelmoraIcon::appIconImage(size, ratio));
    }
}
BENCHMARK(BM_VelmoraIconCacheMiss)->Apply(iconSizes)->Unit(benchmark::kMicrosecond);

// What the bar pays on every repaint after the first.
static void BM_VelmoraIconCacheHit(benchmark::State &state)
{
    const int size = int(state.range(0));
    const qreal ratio = qreal(state.range(1));
    VelmoraIcon::appIconImage(size, ratio);
    for (auto _ : state)
        benchmark::DoNotOptimize(VelmoraIcon::appIconImage(size, ratio));
}
BENCHMARK(BM_VelmoraIconCacheHit)->Apply(iconSizes)->Unit(benchmark::kMicrosecond);

// A view painting the shared icon through QIcon, as a list row does.
static void BM_VelmoraIconPaintThroughQIcon(benchmark::State &state)
{
    QImage target(68, 68, QImage::Format_ARGB32_Premultiplied);
    target.setDevicePixelRatio(2);
    QPainter painter(&target);
    const QIcon &icon = VelmoraIcon::ownAppIcon();
    for (auto _ : state)
        icon.paint(&painter, QRect(0, 0, 34, 34));
}
BENCHMARK(BM_VelmoraIconPaintThroughQIcon)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
