#pragma once

#include "platform/axelement.h"

#include <QList>
#include <QString>

#include <optional>

namespace Velmora {

class Accessibility;
class Workspace;

// Finds the Dock's tile of a minimized window, so the store can restore the
// window by pressing the tile when the window itself will not answer.
//
// The Dock titles a tile after its window but may shorten a long title with
// "…", so a tile stands for a window when the titles match as the Dock
// shortens them; among several matching tiles only the one with the single
// longest title is trusted. Main thread.
class DockMinimizedWindows
{
public:
    static constexpr QLatin1String dockBundleIdentifier { "com.apple.dock" };
    // How far below the Dock's application element tiles are looked for.
    static constexpr int searchDepth = 3;

    DockMinimizedWindows(Accessibility &accessibility, const Workspace &workspace);

    // Nothing for an empty title, without the Dock or accessibility, or when
    // two matching tiles tie for the longest title.
    std::optional<AXElement> item(const QString &windowTitle);
    // Whether a tile titled `itemTitle` may stand for a window titled
    // `windowTitle`: the same title, the window's title continued by " - ",
    // or the Dock's shortening of it.
    static bool matches(const QString &windowTitle, const QString &itemTitle);

private:
    QList<AXElement> minimizedWindowItems(const AXElement &dock);

    Accessibility &m_accessibility;
    const Workspace &m_workspace;
};

} // namespace Velmora
