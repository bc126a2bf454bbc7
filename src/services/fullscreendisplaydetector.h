#pragma once

#include <QList>
#include <QRectF>
#include <QSet>
#include <QVariantMap>

#include <optional>

namespace Velmora {

class Accessibility;
class Displays;
class WindowList;
class WindowListEntry;
class Workspace;

// Which displays show another application's full-screen window, so the
// shell can hide their taskbars.
//
// A display counts when an on-screen layer-0 window of another process
// covers it to within 3 points on every edge. While this process may use
// accessibility, an application's matches count only for the displays that
// hold one of its windows reporting "AXFullScreen": a borderless window the
// size of the screen (a game, a slideshow, a kiosk page) is not full screen
// in the system's sense. An application whose windows cannot be read keeps
// its matches.
//
// Main thread: the shell polls it, and up to sixty times a second for two
// seconds after a Space change. Each application is given a short messaging
// time-out, so one that hangs cannot freeze the bar.
class FullScreenDisplayDetector
{
public:
    static constexpr double boundsTolerance = 3.0;
    static constexpr double messagingTimeoutSeconds = 0.25;

    struct Display
    {
        quint32 displayID = 0;
        QRectF bounds; // top-left origin, y down
    };

    FullScreenDisplayDetector(Accessibility &accessibility, const WindowList &windowList, const Displays &displays,
        const Workspace &workspace);

    QSet<quint32> displayIDs();

    // Whether a window's bounds cover the display's to within the tolerance on every edge.
    static bool covers(const QRectF &window, const QRectF &display);

private:
    // What the covering test reads of one entry of the list.
    struct ReadEntry
    {
        // Kept so that an unchanged entry, which shares its data with this
        // one, is recognised without reading it again.
        QVariantMap fields;
        bool candidate = false; // layer 0, another process's, with bounds
        qint32 owner = 0;
        QRectF bounds;
    };

    // The window server hands out an unchanged window's entry again, and the
    // shell asks every two seconds: only entries that changed are read.
    const ReadEntry &readEntry(qsizetype index, const WindowListEntry &entry, qint32 ownProcessIdentifier);

    // The displays holding the centre of one of the application's full-screen
    // windows; nothing when its windows cannot be read.
    std::optional<QSet<quint32>> accessibilityFullScreenDisplayIDs(
        qint32 processIdentifier, const QList<Display> &displays);

    Accessibility &m_accessibility;
    const WindowList &m_windowList;
    const Displays &m_displays;
    const Workspace &m_workspace;
    QList<ReadEntry> m_readEntries; // by position in the last list
};

} // namespace Velmora
