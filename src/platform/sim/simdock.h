#pragma once

#include "platform/displayinfo.h"

#include <QList>
#include <QRectF>

namespace Velmora::Sim {

struct SimDesktopParts;
struct SimWindow;

// The Dock: which edge of the main display it sits on and whether it hides
// itself, as its preferences said when it last started, and the strip it
// takes out of that display's visible frame. Restarting it (as
// "killall Dock" does) ends the Dock process; the system starts a new one a
// moment later, which reads the preferences again. While it is away there is
// no Dock process and no tile of a minimized window.
class SimDock
{
public:
    enum class Edge { Left, Bottom, Right };

    explicit SimDock(SimDesktopParts &parts);

    bool isRunning() const;
    // The running Dock's process; 0 when none runs.
    qint32 pid() const { return isRunning() ? m_pid : 0; }
    Edge edge() const { return m_edge; }
    bool hidesItself() const { return m_autohide; }

    // A Dock process started: it reads its preferences and takes its place.
    void started(qint32 pid);
    // The Dock process ended.
    void ended(qint32 pid);
    // The world was emptied.
    void forget() { m_pid = 0; }
    // A window of the Dock's came, or the displays changed: the strip takes its place again.
    void placeStrip();
    // Ends the Dock process and starts a new one after SimKnobs::dockRestartMs.
    // False when no Dock runs.
    bool restart();

    // The display's visible frame (screen coordinates, y up): its frame
    // without the menu bar and, on the main display, the Dock's strip.
    QRectF visibleFrame(const DisplayInfo &display, bool isMain) const;
    // Where a minimized window's tile sits (top-left origin).
    QRectF tileFrame(const SimWindow &window) const;

private:
    double thickness() const;
    // Places the Dock's own strip window along its edge of the main display.
    void placeStrip(qint32 pid);

    SimDesktopParts &m_parts;
    qint32 m_pid = 0;
    Edge m_edge = Edge::Bottom;
    bool m_autohide = false;
};

} // namespace Velmora::Sim
