#pragma once

#include "platform/displayinfo.h"

#include <QRectF>

#include <optional>

namespace Velmora {

// What the store needs of the settings window, which the application layer
// owns (the core never touches a widget). Frames are in the screen convention:
// bottom-left origin, y up.
class SettingsWindowHost
{
public:
    virtual ~SettingsWindowHost() = default;

    // The settings window's frame; nothing while there is no settings window.
    virtual std::optional<QRectF> settingsWindowFrame() const = 0;
    // Open means it exists and is visible or miniaturized.
    virtual bool isSettingsWindowOpen() const = 0;
    // The frame height the window needs to show content of this height at its current width.
    virtual double frameHeightForContentHeight(double contentHeight) const = 0;
    // The window's screen, else the main screen; nothing without either.
    virtual std::optional<DisplayInfo> settingsWindowScreen() const = 0;
    // Moves and resizes the window, redrawing it.
    virtual void setSettingsWindowFrame(const QRectF &frame) = 0;
};

} // namespace Velmora
