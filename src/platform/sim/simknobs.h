#pragma once

#include <QtGlobal>

namespace Velmora::Sim {

// How the simulated desktop behaves where the product has to counter it.
// The defaults are the modelled desktop's; a test switches one off to show
// that a guard really depends on it. Scenarios keep them under "behaviour".
struct SimKnobs {
    // Activating an application brings its main window forward at once and
    // its other windows only later, a few at a time, so a guard that looks
    // once right after the activation misses them. A delay of 0 raises them
    // all together with the activation.
    qint64 activationRaiseDelayMs = 40;
    int activationRaiseBurstSize = 2;
    qint64 activationRaiseBurstIntervalMs = 16;

    // The private front-process call with a window only makes the process
    // frontmost; the two event records that follow it make the window key and
    // bring it forward. Off: the call alone focuses the window.
    bool frontCallNeedsEventRecords = true;

    // Minimizing shrinks the window's on-screen frame towards the Dock over
    // the animation before it leaves the screen; restoring grows it back.
    // Reduce motion shortens both by `reducedMotionScale`.
    bool minimizeAnimates = true;
    qint64 animationFrameMs = 16;
    double reducedMotionScale = 0.2;

    // A key tap's callback runs on the thread that created the tap; the
    // event waits for its answer up to `keyTapTimeoutMs` of real time, after
    // which the tap is turned off as a slow tap is. Off: the callback runs on
    // the thread that delivers the event.
    bool keyTapsRunOnTheirThread = true;
    qint64 keyTapTimeoutMs = 1000;

    // The Dock takes a strip of this thickness at its edge of the main
    // display out of the visible frame (a sliver when it hides itself). A
    // restart takes it away, with its tiles, for `dockRestartMs`.
    double dockThickness = 64;
    double dockHiddenThickness = 4;
    qint64 dockRestartMs = 1000;

    // Full screen moves a window to a Space of its own on its display, sized
    // to the display, once the transition is over; leaving brings it back.
    // Off: the window only says it is full screen.
    bool fullScreenMovesToOwnSpace = true;
    qint64 fullScreenTransitionMs = 500;

    // A window opened by a menu or key command appears this much later.
    qint64 newWindowDelayMs = 150;

    // A person asked for a permission takes this long to grant it in the
    // settings (when the scenario says they do). Screen recording granted
    // while the product runs reaches its own check only after it restarts.
    qint64 accessibilityGrantDelayMs = 3000;
    qint64 screenCaptureGrantDelayMs = 3000;
    bool screenCaptureTakesEffectAfterRestart = true;

    friend bool operator==(const SimKnobs &, const SimKnobs &) = default;
};

} // namespace Velmora::Sim
