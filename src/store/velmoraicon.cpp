#include "store/velmoraicon.h"

#include <QCache>
#include <QDir>
#include <QIconEngine>
#include <QLinearGradient>
#include <QMutex>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPixmapCache>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <vector>

namespace Velmora {

const QString VelmoraIcon::iconName = QStringLiteral("velmora");
const QString VelmoraIcon::accessibilityDescription = QStringLiteral("Velmora");
const QString VelmoraIcon::startAccessibilityDescription = QStringLiteral("Start");

namespace {

QColor rgb(int red, int green, int blue, qreal alpha = 1)
{
    return QColor::fromRgbF(float(red / 255.0), float(green / 255.0), float(blue / 255.0), float(alpha));
}

struct Palette
{
    QColor tileBase = rgb(42, 36, 66);
    QColor tilePurple = rgb(94, 78, 150);
    QColor tileAmber = rgb(196, 131, 90);
    QColor topLight = rgb(245, 239, 227);
    QColor topDark = rgb(232, 220, 198);
    QColor sideLeft = rgb(219, 201, 166);
    QColor sideRight = rgb(185, 164, 129);
    QColor slot = rgb(43, 37, 70);
    QColor slabShadow = rgb(26, 21, 48, 0.6);
};

const Palette &palette()
{
    static const Palette colours;
    return colours;
}

// A rounded square turned 45 degrees and flattened, extruded downwards.
struct Slab
{
    // Makes the turned top face exactly `halfWidth` wide on each side.
    static constexpr qreal k = 1.2899494936611666;
    static constexpr qreal flattening = 0.565;

    QPointF center;
    qreal halfWidth = 0;
    qreal depth = 0;

    qreal h() const { return halfWidth / k; }
    QTransform placement() const
    {
        return QTransform().rotateRadians(std::numbers::pi / 4) * QTransform::fromScale(1, flattening)
            * QTransform::fromTranslate(center.x(), center.y());
    }
    QPainterPath roundedRect(const QRectF &rect, qreal radius) const
    {
        QPainterPath path;
        path.addRoundedRect(rect, radius, radius);
        return placement().map(path);
    }
    QPainterPath topFace() const { return roundedRect(QRectF(-h(), -h(), 2 * h(), 2 * h()), 0.3 * h()); }
    // The top face, its copy moved down by the depth, and the band between them.
    QPainterPath body() const
    {
        const QPainterPath top = topFace();
        QPainterPath body = top;
        body.setFillRule(Qt::WindingFill);
        body.addPath(top.translated(0, depth));
        body.addRect(QRectF(center.x() - halfWidth, center.y(), 2 * halfWidth, depth));
        return body;
    }
    QPainterPath slot(qreal thickness) const
    {
        const qreal t = thickness * h();
        return roundedRect(QRectF(-0.59 * h(), 0.47 * h() - t / 2, 1.18 * h(), t), t / 2);
    }
};

// Three box-blur passes per direction approximate a Gaussian of `sigma`
// pixels. Works on the raw bytes of a one-channel mask: the shadow's colour is
// uniform, so only its coverage needs blurring.
void blurMask(QImage &mask, qreal sigma)
{
    const int radius = int(std::lround((std::sqrt(4 * sigma * sigma + 1) - 1) / 2));
    if (radius < 1)
        return;
    const int width = mask.width();
    const int height = mask.height();
    const qsizetype stride = mask.bytesPerLine();
    uchar *bits = mask.bits();
    std::vector<int> line(size_t(std::max(width, height)));
    const int window = 2 * radius + 1;
    // One pass over `count` lines of `length` pixels, `step` bytes apart.
    auto pass = [&](int count, int length, qsizetype lineStart, qsizetype step) {
        for (int c = 0; c < count; ++c) {
            uchar *first = bits + c * lineStart;
            for (int i = 0; i < length; ++i)
                line[size_t(i)] = first[i * step];
            int sum = 0;
            for (int i = 0; i <= std::min(radius, length - 1); ++i)
                sum += line[size_t(i)];
            for (int i = 0; i < length; ++i) {
                first[i * step] = uchar(sum / window);
                const int leaving = i - radius;
                const int entering = i + radius + 1;
                sum -= leaving >= 0 ? line[size_t(leaving)] : 0;
                sum += entering < length ? line[size_t(entering)] : 0;
            }
        }
    };
    for (int round = 0; round < 3; ++round) {
        pass(height, width, stride, 1);
        pass(width, height, 1, stride);
    }
}

// The length of the painter's first axis in device pixels: the device pixel
// ratio times any scale the painter applies.
qreal deviceScale(const QPainter &painter)
{
    const QTransform device = painter.deviceTransform();
    return std::hypot(device.m11(), device.m12());
}

// A soft shadow of `shape`, offset and blurred in the painter's units but
// rendered at the device's resolution, so it looks the same on every display.
void drawShadow(QPainter &painter, const QPainterPath &shape, const QColor &colour, QPointF offset, qreal blurRadius)
{
    const qreal scale = deviceScale(painter);
    const qreal margin = 1.5 * blurRadius + 1;
    const QRectF area = shape.boundingRect().translated(offset).adjusted(-margin, -margin, margin, margin);
    const QSize pixels(int(std::ceil(area.width() * scale)), int(std::ceil(area.height() * scale)));
    constexpr int largest = 8192;
    if (!(scale > 0) || pixels.isEmpty() || pixels.width() > largest || pixels.height() > largest)
        return;
    QImage mask(pixels, QImage::Format_Alpha8);
    mask.fill(0);
    {
        QPainter coverage(&mask);
        coverage.setRenderHint(QPainter::Antialiasing);
        coverage.scale(scale, scale);
        coverage.translate(-area.topLeft() + offset);
        coverage.fillPath(shape, Qt::black);
    }
    blurMask(mask, blurRadius * scale / 2);

    QImage shadow(pixels, QImage::Format_ARGB32_Premultiplied);
    const QRgb premultiplied = qPremultiply(colour.rgba());
    for (int y = 0; y < pixels.height(); ++y) {
        const uchar *coverage = mask.constScanLine(y);
        auto *out = reinterpret_cast<QRgb *>(shadow.scanLine(y));
        for (int x = 0; x < pixels.width(); ++x) {
            const uint a = coverage[x];
            out[x] = qRgba(qRed(premultiplied) * a / 255, qGreen(premultiplied) * a / 255,
                qBlue(premultiplied) * a / 255, qAlpha(premultiplied) * a / 255);
        }
    }
    painter.drawImage(area, shadow);
}

void fillGlow(QPainter &painter, const QPainterPath &tile, const QColor &colour, QPointF center, qreal radius)
{
    QRadialGradient glow(center, radius);
    QColor clear = colour;
    clear.setAlphaF(0);
    glow.setColorAt(0, colour);
    glow.setColorAt(1, clear);
    painter.fillPath(tile, glow);
}

QPainterPath roundedTile(const QRectF &rect)
{
    QPainterPath path;
    path.addRoundedRect(rect, 0.225 * rect.width(), 0.225 * rect.width());
    return path;
}


bool canDraw(const QPainter *painter, const QRectF &rect)
{
    return painter && painter->isActive() && rect.width() > 0 && rect.height() > 0;
}

struct RasterKey
{
    VelmoraIcon::Drawing drawing;
    int size;
    qreal ratio;

    friend bool operator==(const RasterKey &, const RasterKey &) = default;
};

size_t qHash(const RasterKey &key, size_t seed = 0)
{
    return qHashMulti(seed, int(key.drawing), key.size, key.ratio);
}

// The rasters the views asked for. Bounded so a stray huge request cannot
// pin memory; the sizes a desktop really shows (a few per drawing and ratio)
// fit many times over, and the least recently used go first.
class RasterCache
{
public:
    std::optional<QImage> find(const RasterKey &key)
    {
        QMutexLocker lock(&m_mutex);
        if (const QImage *image = m_images.object(key))
            return *image;
        return std::nullopt;
    }
    void insert(const RasterKey &key, const QImage &image)
    {
        QMutexLocker lock(&m_mutex);
        m_images.insert(key, new QImage(image), qMax<qsizetype>(1, image.sizeInBytes() / 1024));
    }
    void clear()
    {
        QMutexLocker lock(&m_mutex);
        m_images.clear();
    }

private:
    QMutex m_mutex;
    QCache<RasterKey, QImage> m_images { 48 * 1024 }; // kilobytes
};

RasterCache &rasterCache()
{
    static RasterCache cache;
    return cache;
}

QImage drawRaster(VelmoraIcon::Drawing drawing, int size, qreal ratio)
{
    const int pixels = int(std::ceil(size * ratio));
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    VelmoraIcon::draw(drawing, &painter, QRectF(0, 0, size, size));
    return image;
}

// Draws through the raster cache at the destination's resolution, so a view
// that repaints shows the same pixels without drawing the icon again.
class DrawnIconEngine final : public QIconEngine
{
public:
    explicit DrawnIconEngine(VelmoraIcon::Drawing drawing)
        : m_drawing(drawing)
    {
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode, QIcon::State) override
    {
        const int side = std::min(rect.width(), rect.height());
        if (side <= 0 || !painter)
            return;
        // The device's own ratio, not the painter's whole scale: a view that
        // scales an icon while it animates must not draw one raster per frame.
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        const QImage image = VelmoraIcon::render(m_drawing, side, ratio);
        if (image.isNull())
            return;
        const QPointF origin(rect.x() + (rect.width() - side) / 2.0, rect.y() + (rect.height() - side) / 2.0);
        painter->drawImage(QRectF(origin, QSizeF(side, side)), image);
    }
    // QIcon asks here in device pixels; a view converts to a pixmap once per size.
    QPixmap pixmap(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        const int side = std::min(size.width(), size.height());
        if (side <= 0)
            return {};
        const QString cacheKey = QStringLiteral("velmora-drawn-%1-%2").arg(int(m_drawing)).arg(side);
        QPixmap pixmap;
        if (!QPixmapCache::find(cacheKey, &pixmap)) {
            pixmap = QPixmap::fromImage(VelmoraIcon::render(m_drawing, side));
            QPixmapCache::insert(cacheKey, pixmap);
        }
        return pixmap;
    }
    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        const int side = std::min(size.width(), size.height());
        return { side, side };
    }
    QIconEngine *clone() const override { return new DrawnIconEngine(m_drawing); }
    QString key() const override { return name(); }
    QString iconName() override { return name(); }
    bool isNull() override { return false; }

private:
    QString name() const { return m_drawing == VelmoraIcon::Drawing::AppIcon ? VelmoraIcon::iconName : QString(); }

    VelmoraIcon::Drawing m_drawing;
};

} // namespace

bool VelmoraIcon::drawTile(QPainter *painter, const QRectF &rect)
{
    if (!canDraw(painter, rect))
        return false;
    const Palette &colours = palette();
    const qreal w = rect.width();
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);

    // Filling the tile's shape instead of clipping keeps its edge antialiased.
    const QPainterPath tile = roundedTile(rect);
    painter->fillPath(tile, colours.tileBase);
    fillGlow(*painter, tile, colours.tilePurple, { rect.left() + 0.12 * w, rect.top() + 0.06 * w }, 0.95 * w);
    fillGlow(*painter, tile, colours.tileAmber, { rect.left() + 0.88 * w, rect.top() + 0.98 * w }, 0.72 * w);

    // The shadow falls once, under the whole slab.
    const Slab slab { { rect.center().x(), rect.top() + 0.46 * w }, 0.343 * w, 0.112 * w };
    const QPainterPath body = slab.body();
    drawShadow(*painter, body, colours.slabShadow, { 0, 0.035 * w }, 0.04 * w);
    painter->fillPath(body, colours.sideLeft);
    QPainterPath rightHalf;
    rightHalf.addRect(QRectF(slab.center.x(), rect.top(), w, w));
    painter->fillPath(body.simplified().intersected(rightHalf), colours.sideRight);

    const qreal rise = Slab::flattening * slab.halfWidth;
    QLinearGradient top(slab.center.x(), slab.center.y() - rise, slab.center.x(), slab.center.y() + rise);
    top.setColorAt(0, colours.topLight);
    top.setColorAt(1, colours.topDark);
    painter->fillPath(slab.topFace(), top);
    painter->fillPath(slab.slot(0.24), colours.slot);
    painter->restore();
    return true;
}

bool VelmoraIcon::drawAppIcon(QPainter *painter, qreal size)
{
    if (!canDraw(painter, QRectF(0, 0, size, size)))
        return false;
    const qreal margin = size * 100 / 1024;
    const QRectF tileRect(margin, margin, size - 2 * margin, size - 2 * margin);
    const QPainterPath tile = roundedTile(tileRect);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    drawShadow(*painter, tile, QColor::fromRgbF(0, 0, 0, 0.3f), { 0, size * 10 / 1024 }, size * 20 / 1024);
    painter->restore();
    return drawTile(painter, tileRect);
}

bool VelmoraIcon::drawTemplateMark(QPainter *painter, const QRectF &rect)
{
    if (!canDraw(painter, rect))
        return false;
    const qreal w = rect.width();
    const qreal halfWidth = 0.47 * w;
    const qreal depth = 0.42 * halfWidth;
    const Slab slab { { rect.center().x(), rect.center().y() - depth / 2 }, halfWidth, depth };
    const QPainterPath slot = slab.slot(0.34);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    // One fill of the whole body, so its overlapping parts do not darken
    // each other; then the top face at full strength.
    painter->fillPath(slab.body().simplified().subtracted(slot), QColor::fromRgbF(0, 0, 0, 0.55f));
    painter->fillPath(slab.topFace().subtracted(slot), Qt::black);
    painter->restore();
    return true;
}

bool VelmoraIcon::drawStartGlyph(QPainter *painter, const QRectF &rect)
{
    if (!canDraw(painter, rect))
        return false;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->translate(rect.topLeft());
    painter->scale(rect.width() / 18, rect.width() / 18);
    QPainterPath house;
    house.moveTo(3, 8);
    house.lineTo(9, 2.6);
    house.lineTo(15, 8);
    house.lineTo(15, 15.4);
    house.lineTo(3, 15.4);
    house.closeSubpath();
    painter->setBrush(Qt::NoBrush);
    painter->setPen(QPen(Qt::black, 1.7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter->drawPath(house);
    painter->restore();
    return true;
}

bool VelmoraIcon::draw(Drawing drawing, QPainter *painter, const QRectF &rect)
{
    const qreal side = std::min(rect.width(), rect.height());
    const QRectF square(rect.x() + (rect.width() - side) / 2, rect.y() + (rect.height() - side) / 2, side, side);
    switch (drawing) {
    case Drawing::AppIcon: {
        if (!canDraw(painter, square))
            return false;
        painter->save();
        painter->translate(square.topLeft());
        const bool drawn = drawAppIcon(painter, side);
        painter->restore();
        return drawn;
    }
    case Drawing::Tile:
        return drawTile(painter, square);
    case Drawing::TemplateMark:
        return drawTemplateMark(painter, square);
    case Drawing::StartGlyph:
        return drawStartGlyph(painter, square);
    }
    return false;
}

QImage VelmoraIcon::render(Drawing drawing, int size, qreal devicePixelRatio)
{
    if (size <= 0 || !(devicePixelRatio > 0) || size * devicePixelRatio > 16384)
        return {};
    const RasterKey key { drawing, size, devicePixelRatio };
    if (std::optional<QImage> cached = rasterCache().find(key))
        return *cached;
    const QImage image = drawRaster(drawing, size, devicePixelRatio);
    rasterCache().insert(key, image);
    return image;
}

QImage VelmoraIcon::appIconImage(int size, qreal devicePixelRatio)
{
    return render(Drawing::AppIcon, size, devicePixelRatio);
}

QImage VelmoraIcon::tileImage(int size, qreal devicePixelRatio)
{
    return render(Drawing::Tile, size, devicePixelRatio);
}

QImage VelmoraIcon::image(int size, qreal devicePixelRatio)
{
    return render(Drawing::TemplateMark, size, devicePixelRatio);
}

QImage VelmoraIcon::startImage(int size, qreal devicePixelRatio)
{
    return render(Drawing::StartGlyph, size, devicePixelRatio);
}

QIcon VelmoraIcon::icon(Drawing drawing)
{
    QIcon icon(new DrawnIconEngine(drawing));
    icon.setIsMask(drawing == Drawing::TemplateMark || drawing == Drawing::StartGlyph);
    return icon;
}

const QIcon &VelmoraIcon::ownAppIcon()
{
    static const QIcon icon = VelmoraIcon::icon(Drawing::AppIcon);
    return icon;
}

const QIcon &VelmoraIcon::menuBarImage()
{
    static const QIcon icon = VelmoraIcon::icon(Drawing::TemplateMark);
    return icon;
}

void VelmoraIcon::clearCache()
{
    rasterCache().clear();
}

bool VelmoraIcon::isOwnBundle(const QString &path, const QString &ownBundlePath)
{
    if (path.isEmpty() || ownBundlePath.isEmpty())
        return false;
    return QDir::cleanPath(path) == QDir::cleanPath(ownBundlePath);
}

} // namespace Velmora
