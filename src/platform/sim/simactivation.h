#pragma once

#include <QList>

#include <optional>

namespace Velmora::Sim {

struct SimDesktopParts;

// Which application is active, and how windows come forward with it. The
// desktop raises every window of an application it activates, not only the
// one the user asked for: the product works around exactly this.
class SimActivation
{
public:
    explicit SimActivation(SimDesktopParts &parts);

    // Makes the application frontmost and raises all of its windows; unhides
    // it first. False when no such application runs or it is quitting.
    bool activate(qint32 pid);
    // Makes the application frontmost without raising any window.
    bool makeFrontmost(qint32 pid);
    // Brings this one window to the front and its application with it; no sibling rises.
    bool focusWindow(quint32 number);
    // Brings this one window to the front of the stack; activation does not change.
    bool raiseWindow(quint32 number);
    bool placeInFrontOfSiblings(quint32 number);
    bool hide(qint32 pid);
    bool unhide(qint32 pid);

    // Changes the frontmost application and tells whoever listens.
    void setFrontmost(std::optional<qint32> pid);
    // The application whose window is frontmost now becomes active (the one
    // leaving does not count); none when no regular application shows a window.
    void chooseNewFrontmost();
    // When the front window of the active application goes away, its next
    // window becomes key and comes to the front, over whatever another
    // application had placed above it.
    void raiseNextSibling(qint32 pid);

private:
    SimDesktopParts &m_parts;
};

} // namespace Velmora::Sim
