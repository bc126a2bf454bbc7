#pragma once

#include <QSet>

namespace Velmora::Sim {

struct SimDesktopParts;
struct SimFullScreenSpace;

// Spaces: every display shows the current Space, or a full-screen Space of
// its own. Entering full screen moves a window to a new Space on its display,
// sized to the display, once the transition is over, and that display shows
// it; leaving brings the window back to its Space and frame. Each change of
// what a display shows is announced as a Space change.
class SimSpaces
{
public:
    explicit SimSpaces(SimDesktopParts &parts);

    // Starts entering or leaving full screen; false when the window does not
    // exist, is in that state already or on its way there.
    bool setFullScreen(quint32 number, bool on);
    // Shows a Space: a full-screen Space on its display, a regular one on
    // every display.
    void setCurrentSpace(int space);
    // A full-screen Space as it was (for scenarios), shown on its display or not.
    void addFullScreenSpace(const SimFullScreenSpace &space, bool shown);
    // A full-screen window is gone: its Space goes with it.
    void windowGone(quint32 number);
    void clear() { m_changing.clear(); }

private:
    void enter(quint32 number);
    void leave(quint32 number);

    SimDesktopParts &m_parts;
    QSet<quint32> m_changing;
};

} // namespace Velmora::Sim
