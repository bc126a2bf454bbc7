#pragma once

#include <QRectF>
#include <QString>
#include <QStringList>
#include <QVariantMap>

namespace Velmora::Sim {

// One window of the simulated desktop. Both the accessibility view and the
// window list are derived from it.
struct SimWindow {
    quint32 number = 0;
    qint32 ownerPid = 0;
    qint64 layer = 0;
    QRectF bounds; // top-left origin, y down, in points
    QString title;
    double alpha = 1.0;
    // False for a window that is ordered out (closed but not yet destroyed, or never shown).
    bool visible = true;
    bool minimized = false;
    // The Space the window is on; 0 for a window on every Space.
    int space = 1;
    bool fullScreen = false;
    // Desktop elements (the desktop picture and icons) are left out of the
    // lists that ask to exclude them. Windows of a negative layer are.
    bool desktopElement = false;
    QString subrole = QStringLiteral("AXStandardWindow");
    bool hasCloseButton = true;
    bool hasMinimizeButton = true;
    bool minimizeButtonEnabled = true;
    QStringList tabs;
    // Closing asks "Save changes?" first: the window stays open behind a sheet.
    bool closeShowsSheet = false;
    bool sheetOpen = false;
    // Listed in the application's "AXWindows" (windows on another Space never are).
    bool accessible = true;
    // Listed by the window server at all.
    bool inWindowList = true;
    // The identifier under which a remote token finds this window's element.
    quint64 remoteElementId = 0;
    // The Dock's tile title when minimized; empty: the window's title.
    QString dockTitle;
    // Fields of the window-list entry that a test replaced (an invalid value removes the field).
    QVariantMap windowListOverrides;
    // While it shrinks into the Dock or grows back out of it: the frame drawn
    // on screen, which the window list reports (null otherwise). Accessibility
    // keeps reporting `bounds`.
    QRectF animatedFrame;
    // Where a zoomed window was before its zoom (null while not zoomed).
    QRectF zoomedFrom;

    friend bool operator==(const SimWindow &, const SimWindow &) = default;
};

} // namespace Velmora::Sim
