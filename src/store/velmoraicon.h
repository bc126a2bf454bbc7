#pragma once

#include <QIcon>
#include <QImage>
#include <QRectF>
#include <QString>

class QPainter;

namespace Velmora {

// The product ships no icon artwork: its application icon, its one-colour
// mark and the Start glyph are drawn in code at whatever size is asked for.
// The mark is a small slab seen from above, a flattened rounded diamond
// extruded downwards with a capsule-shaped slot across its top face.
//
// It lives here, without Widgets, because app items show it for the
// product's own windows and bundle.
//
// Drawing the full icon is not cheap (milliseconds at 512 points), so every
// raster is kept per drawing, size and device pixel ratio: a view that asks
// again for a size it already had gets the same image back without a
// single path being filled. The cache may be used from any thread.
class VelmoraIcon
{
public:
    enum class Drawing {
        AppIcon,      // the tile inside a transparent margin, with a soft shadow below
        Tile,         // the tile alone: no margin, no outer shadow
        TemplateMark, // the one-colour mark; the slot is cut out
        StartGlyph,   // the outline of a house on an 18-unit square
    };

    // The name the drawn application icon reports through QIcon::name().
    static const QString iconName; // "velmora"
    // What assistive technologies call the mark and the Start glyph.
    static const QString accessibilityDescription; // "Velmora"
    static const QString startAccessibilityDescription; // "Start"

    static constexpr int menuBarSize = 18;
    static constexpr int startSize = 28;
    static constexpr int ownAppIconSize = 64;
    static constexpr int applicationIconSize = 512;

    // Draw into the square `rect` (or (0, 0, size, size)) of the painter's
    // coordinates, y growing downwards. Each draws nothing and returns false
    // without an active painter or with an empty square. Shadows are scaled
    // by the painter's device scale, so they look the same on every display.
    static bool drawAppIcon(QPainter *painter, qreal size);
    static bool drawTile(QPainter *painter, const QRectF &rect);
    // Black at 55 % for the slab's sides, black for its top face, and the
    // slot left transparent: shapes are cut, never cleared, so the mark can be
    // drawn over anything.
    static bool drawTemplateMark(QPainter *painter, const QRectF &rect);
    static bool drawStartGlyph(QPainter *painter, const QRectF &rect);
    static bool draw(Drawing drawing, QPainter *painter, const QRectF &rect);

    // The drawing rendered into an image of `size` points square at
    // `devicePixelRatio`, from the cache when it was drawn before. A null
    // image for a size that is not positive.
    static QImage render(Drawing drawing, int size, qreal devicePixelRatio = 1);
    static QImage appIconImage(int size, qreal devicePixelRatio = 1);
    static QImage tileImage(int size, qreal devicePixelRatio = 1);
    static QImage image(int size, qreal devicePixelRatio = 1); // the template mark
    static QImage startImage(int size, qreal devicePixelRatio = 1);

    // Icons that render on demand at the destination's size and resolution,
    // through the same cache. The mark and the Start glyph are masks
    // (QIcon::isMask): a view tints them with its own foreground colour.
    static QIcon icon(Drawing drawing);
    // The application icon, wherever a list shows this application itself.
    static const QIcon &ownAppIcon();
    // The mark for the status item, meant to be shown at menuBarSize.
    static const QIcon &menuBarImage();

    // Forgets every cached raster (memory pressure, measurements).
    static void clearCache();

    // True when `path` names the same location as `ownBundlePath` once both
    // are standardized (trailing slashes, "." and ".." components).
    static bool isOwnBundle(const QString &path, const QString &ownBundlePath);

    VelmoraIcon() = delete;
};

} // namespace Velmora
