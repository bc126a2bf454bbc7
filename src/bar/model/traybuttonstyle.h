#pragma once

#include <QSizeF>
#include <QtGlobal>

namespace Velmora {

// The look of the tray's warning button: a rounded white fill that shows
// while the pointer is over it and deepens while it is pressed, with no
// animation between the states.
class TrayButtonStyle
{
public:
    static constexpr qreal width = 28;
    static constexpr qreal height = 34;
    static constexpr qreal cornerRadius = 5;
    static constexpr qreal hoverFillOpacity = 0.09;
    static constexpr qreal pressedFillOpacity = 0.15;

    // The white fill's opacity; 0 shows no fill.
    static qreal fillOpacity(bool pressed, bool hovering);
    // The tray's width: the button's while it shows, nothing otherwise.
    static qreal trayWidth(bool isAccessibilityTrusted) { return isAccessibilityTrusted ? 0 : width; }
};

} // namespace Velmora
