#pragma once

#include "platform/axelement.h"
#include "platform/runningapplication.h"

#include <QSet>

#include <optional>

namespace Velmora {

struct WatchServices;

// The previously frontmost application's window that a minimize or close
// watch keeps above the application's remaining windows, as the watches of
// a minimize and of a close find and protect it.
struct CoveredWindow
{
    // The covered window's number and, when a restore watch already found
    // it, its element; both taken on the main thread before the watch starts.
    std::optional<quint32> windowID;
    std::optional<AXElement> knownElement;

    // Found on the watch thread: the covered window's element and the
    // application's windows that must stay behind it.
    struct Resolved
    {
        AXElement element;
        QSet<quint32> siblings;
    };

    // Nothing when there is no covered window, it belongs to this process,
    // its element cannot be found, or no sibling is left once `leaving`
    // (the window going away) is taken out.
    std::optional<Resolved> resolve(const WatchServices &services, const RunningApplication &previousApplication,
        const RunningApplication &application, const QSet<quint32> &knownSiblingIDs,
        std::optional<quint32> leaving) const;

    // The hand-off's last step: for a while, raises the covered window
    // whenever a sibling stands in front of it, a few times at most.
    static constexpr qint64 handOffMs = 500;
    static constexpr int handOffRaises = 3;
    void raiseWhileSiblingsAbove(const WatchServices &services, const Resolved &resolved) const;
};

} // namespace Velmora
