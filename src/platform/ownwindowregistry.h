#pragma once

#include <QRectF>
#include <QString>

namespace Velmora {

// How one of this application's top-level windows stands on the desktop.
struct OwnWindowState {
    QString title;
    // The window level: one of OwnWindowRegistry's layers.
    qint64 layer = 0;
    QRectF frame; // top-left origin of the primary display, y down, in points
    bool visible = true;
    bool minimized = false;

    friend bool operator==(const OwnWindowState &, const OwnWindowState &) = default;
};

// Tells the desktop about this application's own top-level windows (panels,
// popovers, the tooltip, the settings window, the Task Manager...), so that it
// lists them as windows of this process at their levels, as a real window
// server does. The application reports each window when it is created and as
// it changes. A real desktop knows them already; the simulated one is told.
class OwnWindowRegistry
{
public:
    // Window levels as the window server numbers them.
    static constexpr qint64 NormalLayer = 0;
    static constexpr qint64 FloatingLayer = 3;
    static constexpr qint64 StatusLayer = 25; // the taskbar panels
    static constexpr qint64 PopUpMenuLayer = 101; // popovers and the tooltip
    // A true dynamic property of that name on a top-level window leaves it
    // out: a window that draws the simulated desktop itself is not a window
    // on it (listed in front, it would take every click meant for the
    // windows it draws).
    static constexpr char notOnDesktopProperty[] = "velmoraNotOnDesktop";

    virtual ~OwnWindowRegistry();

    // The window's number on the desktop; 0 when it cannot be added.
    virtual quint32 addWindow(const OwnWindowState &state) = 0;
    virtual void updateWindow(quint32 number, const OwnWindowState &state) = 0;
    // Brings the window in front of the others of its level.
    virtual void orderFront(quint32 number) = 0;
    virtual void removeWindow(quint32 number) = 0;
};

} // namespace Velmora
