#pragma once

#include <QIcon>
#include <QImage>
#include <QRectF>
#include <QString>

class QPainter;

namespace Velmora {

// The product's application icon, drawn in code at whatever size it is shown:
// a rounded tile with two soft glows and a light slab with a slot across its
// top face. It lives here, without Widgets, because app items show it for the
// product's own windows and bundle; the product's other drawn marks belong
// with it.
class VelmoraIcon
{
public:
    // The name the drawn icon reports through QIcon::name().
    static const QString iconName; // "velmora"

    // Draws the complete icon, with its margin and shadow, into the square
    // (0, 0, size, size) of the painter's coordinates. Draws nothing and
    // returns false without an active painter.
    static bool drawAppIcon(QPainter *painter, qreal size);
    // The tile alone, filling `rect` (no margin, no outer shadow).
    static void drawTile(QPainter &painter, const QRectF &rect);

    // One shared icon that draws itself on demand at the destination's
    // resolution; it is never rasterised up front.
    static const QIcon &ownAppIcon();
    // The icon rendered into an image of `size` points square.
    static QImage appIconImage(int size, qreal devicePixelRatio = 1);

    // True when `path` names the same location as `ownBundlePath` once both
    // are standardized (trailing slashes, "." and ".." components).
    static bool isOwnBundle(const QString &path, const QString &ownBundlePath);

    VelmoraIcon() = delete;
};

} // namespace Velmora
