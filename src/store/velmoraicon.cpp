#include "store/velmoraicon.h"

#include <QDir>
#include <QIconEngine>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPixmapCache>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace Velmora {

const QString VelmoraIcon::iconName = QStringLiteral("velmora");

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

// A soft shadow of `shape`, offset and blurred in the painter's units but
// rendered at the device's resolution, so it looks the same on every display.
void drawShadow(QPainter &painter, const QPainterPath &shape, const QColor &colour, QPointF offset, qreal blurRadius)
{
    const QTransform device = painter.deviceTransform();
    const qreal scale = std::hypot(device.m11(), device.m12());
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

class VelmoraIconEngine final : public QIconEngine
{
public:
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode, QIcon::State) override
    {
        const qreal side = std::min(rect.width(), rect.height());
        painter->save();
        painter->translate(rect.x() + (rect.width() - side) / 2, rect.y() + (rect.height() - side) / 2);
        VelmoraIcon::drawAppIcon(painter, side);
        painter->restore();
    }
    // Rasters are made only when a view asks for one, once per size.
    QPixmap pixmap(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        const int side = std::min(size.width(), size.height());
        const QString cacheKey = QStringLiteral("velmora-app-icon-%1").arg(side);
        QPixmap pixmap;
        if (!QPixmapCache::find(cacheKey, &pixmap)) {
            pixmap = QPixmap::fromImage(VelmoraIcon::appIconImage(side));
            QPixmapCache::insert(cacheKey, pixmap);
        }
        return pixmap;
    }
    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        const int side = std::min(size.width(), size.height());
        return { side, side };
    }
    QIconEngine *clone() const override { return new VelmoraIconEngine; }
    QString key() const override { return VelmoraIcon::iconName; }
    QString iconName() override { return VelmoraIcon::iconName; }
    bool isNull() override { return false; }
};

} // namespace

void VelmoraIcon::drawTile(QPainter &painter, const QRectF &rect)
{
    const Palette &colours = palette();
    const qreal w = rect.width();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);

    // Filling the tile's shape instead of clipping keeps its edge antialiased.
    const QPainterPath tile = roundedTile(rect);
    painter.fillPath(tile, colours.tileBase);
    fillGlow(painter, tile, colours.tilePurple, { rect.left() + 0.12 * w, rect.top() + 0.06 * w }, 0.95 * w);
    fillGlow(painter, tile, colours.tileAmber, { rect.left() + 0.88 * w, rect.top() + 0.98 * w }, 0.72 * w);

    const Slab slab { { rect.center().x(), rect.top() + 0.46 * w }, 0.343 * w, 0.112 * w };
    const QPainterPath body = slab.body();
    drawShadow(painter, body, colours.slabShadow, { 0, 0.035 * w }, 0.04 * w);
    painter.fillPath(body, colours.sideLeft);
    QPainterPath rightHalf;
    rightHalf.addRect(QRectF(slab.center.x(), rect.top(), w, w));
    painter.fillPath(body.simplified().intersected(rightHalf), colours.sideRight);

    const qreal rise = Slab::flattening * slab.halfWidth;
    QLinearGradient top(slab.center.x(), slab.center.y() - rise, slab.center.x(), slab.center.y() + rise);
    top.setColorAt(0, colours.topLight);
    top.setColorAt(1, colours.topDark);
    painter.fillPath(slab.topFace(), top);
    painter.fillPath(slab.slot(0.24), colours.slot);
    painter.restore();
}

bool VelmoraIcon::drawAppIcon(QPainter *painter, qreal size)
{
    if (!painter || !painter->isActive() || !(size > 0))
        return false;
    const qreal margin = size * 100 / 1024;
    const QRectF tileRect(margin, margin, size - 2 * margin, size - 2 * margin);
    const QPainterPath tile = roundedTile(tileRect);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    drawShadow(*painter, tile, QColor::fromRgbF(0, 0, 0, 0.3f), { 0, size * 10 / 1024 }, size * 20 / 1024);
    painter->restore();
    drawTile(*painter, tileRect);
    return true;
}

const QIcon &VelmoraIcon::ownAppIcon()
{
    static const QIcon icon(new VelmoraIconEngine);
    return icon;
}

QImage VelmoraIcon::appIconImage(int size, qreal devicePixelRatio)
{
    const int pixels = int(std::ceil(size * devicePixelRatio));
    if (pixels <= 0)
        return {};
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    drawAppIcon(&painter, size);
    return image;
}

bool VelmoraIcon::isOwnBundle(const QString &path, const QString &ownBundlePath)
{
    if (path.isEmpty() || ownBundlePath.isEmpty())
        return false;
    return QDir::cleanPath(path) == QDir::cleanPath(ownBundlePath);
}

} // namespace Velmora
