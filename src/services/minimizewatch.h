#pragma once

#include "platform/axelement.h"
#include "platform/runningapplication.h"
#include "services/coveredwindow.h"

#include <QSet>

#include <functional>
#include <optional>

namespace Velmora {

struct WatchServices;

// The watches that follow minimizing another application's window.
//
// With a previous application: while the window shrinks into the Dock (or
// until it has left the screen), keep the previous application's window
// (the covered window) above the application's other windows, then hand
// activation back to the previous application and guard its window a
// little longer.
//
// Then focus: once the window has left the screen, bring the application's
// next window forward instead of letting all of its windows rise.
class MinimizeWatch
{
public:
    static constexpr qint64 firstPhaseMs = 800;
    static constexpr qint64 pollIntervalMs = 2;
    // Without a window number there is nothing to watch leave: wait this long.
    static constexpr qint64 unnumberedWaitMs = 400;
    // A window shrunk below this share of its height is nearly in the Dock:
    // the application's next window is about to come up.
    static constexpr double shrunkFraction = 0.25;
    static constexpr qint64 settleMs = 150;
    static constexpr qint64 settlePollMs = 1;
    // Activation goes back at the latest this long into the hand-off.
    static constexpr qint64 activationGraceMs = 120;

    struct Request
    {
        std::optional<quint32> minimizingWindowID;
        RunningApplication application;
        QSet<quint32> knownSiblingIDs;
        RunningApplication previousApplication;
        bool appWasDeactivated = false;
        CoveredWindow covered;
    };

    struct FocusRequest
    {
        quint32 minimizingWindowID = 0;
        RunningApplication application;
        AXElement nextWindow;
        quint32 nextWindowID = 0;
    };
    // The main-thread step that brings the next window forward.
    using FocusNext = std::function<void(const FocusRequest &request)>;

    MinimizeWatch(const WatchServices &services, Request request);
    MinimizeWatch(const WatchServices &services, FocusRequest request, FocusNext focusNext);

    // The watch's thread body.
    void run();

private:
    void runHandOff();
    void runThenFocus();
    // Polls until the window is no longer on screen or the deadline passes.
    void waitUntilOffScreen(quint32 windowID, qint64 deadlineMs) const;
    void watchShrink(const std::optional<CoveredWindow::Resolved> &resolved, bool siblingAboveAtStart,
        qint64 deadlineMs) const;

    const WatchServices &m_services;
    std::optional<Request> m_request;
    std::optional<FocusRequest> m_focusRequest;
    FocusNext m_focusNext;
};

} // namespace Velmora
