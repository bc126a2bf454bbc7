#pragma once

#include "platform/sim/simwindow.h"

#include <QColor>
#include <QImage>
#include <QRectF>
#include <QString>

class QPainter;

namespace Velmora::Sim {

// Draws one window of the simulated desktop as a person would see it: a
// rounded frame, a title bar in its application's colour with the close,
// minimize and zoom buttons where the desktop's button frames are, the title,
// and a simple content. The desktop drawn on screen and the screen captures
// of windows both use it, so a thumbnail shows what the screen shows.
class SimWindowPainter
{
public:
    static constexpr double titleBarHeight = 28;
    static constexpr double cornerRadius = 8;

    // What the window's owner adds to its look.
    struct Owner {
        QString name;
        // What the owner's colour is made from: its bundle identifier, else its name.
        QString key;
        // The owner is the active application: its window shows coloured buttons.
        bool active = true;
    };

    // Draws `window` at its drawn frame, in the painter's coordinates (the
    // desktop's global coordinates: top-left origin, y down).
    static void paint(QPainter &painter, const SimWindow &window, const Owner &owner);
    // The window alone, scaled to `pixelSize`.
    static QImage image(const SimWindow &window, const Owner &owner, const QSize &pixelSize);

    // The colour of an application, the same on every run.
    static QColor ownerColour(const QString &key);
    static QColor titleBarColour(const QString &key);
    static QColor buttonColour(int slot); // 0 close, 1 minimize, 2 zoom
    static QColor inactiveButtonColour();
};

} // namespace Velmora::Sim
