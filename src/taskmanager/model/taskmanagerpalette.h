#pragma once

#include <QColor>

// The Task Manager's colours. The window and sheet colours are the
// application's own dark palette; they live here until the shared palette
// is available to the views, and must stay equal to it.
namespace Velmora::TaskManagerPalette {

inline QColor window()
{
    return QColor(30, 32, 38);
}
inline QColor sheet()
{
    return QColor(40, 42, 50);
}

// The Task Manager's accent: the CPU metric, the selected row, focus rings.
inline QColor accent()
{
    return QColor::fromRgbF(0.32f, 0.66f, 1.0f);
}
// The desktop's named colours in their dark variants.
inline QColor purple()
{
    return QColor(191, 90, 242);
}
inline QColor orange()
{
    return QColor(255, 159, 10);
}
inline QColor mint()
{
    return QColor(99, 230, 226);
}
inline QColor red()
{
    return QColor(255, 69, 58);
}

// Text and fills on the dark background: "primary" is the label colour,
// used at low opacity for fills.
inline QColor primary(qreal opacity = 1.0)
{
    QColor c(255, 255, 255);
    c.setAlphaF(float(0.88 * opacity));
    return c;
}
inline QColor secondary()
{
    QColor c(235, 235, 245);
    c.setAlphaF(0.55f);
    return c;
}
inline QColor withOpacity(QColor color, qreal opacity)
{
    color.setAlphaF(float(color.alphaF() * opacity));
    return color;
}

} // namespace Velmora::TaskManagerPalette
