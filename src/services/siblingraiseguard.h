#pragma once

#include "platform/axelement.h"
#include "platform/runningapplication.h"
#include "services/coveredwindow.h"
#include "services/coverwatch.h"
#include "services/minimizewatch.h"
#include "services/minimizebuttonhittest.h"
#include "services/watchservices.h"
#include "services/windowstack.h"

#include <QObject>

#include <QList>
#include <QSet>

#include <optional>

namespace Velmora {

class Accessibility;
class AppExpose;
class Clock;
class EventTaps;
class WatchThreads;
class WindowList;
class WindowPreviewProvider;
class Workspace;

// Undoes what the desktop does when the taskbar brings one window of an
// application forward: the application's other windows (its siblings) rise
// with it, over windows of other applications that covered them. Before the
// action the guard notes which windows covered each sibling; for a short
// while afterwards a watch raises those windows again, in their former
// order, whenever a sibling has come in front of one of them, and keeps the
// window that was asked for in front.
//
// After a restore, a minimize or a close, the watches keep the previously
// frontmost application's window (the covered window) above the siblings
// and hand activation back to that application.
//
// Each watch runs on a thread of its own for a bounded time (WatchThreads);
// its only effects are raises of other applications' windows and activation
// hand-offs. The watch* functions and the press snapshot belong to the main
// thread; the stack readers may be called from any thread.
class SiblingRaiseGuard
{
public:
    using StackEntry = WindowStack::Entry;
    using Cover = CoverWatch::Cover;

    // A press snapshot is trusted this long.
    static constexpr qint64 pressSnapshotLifetimeMs = 1000;

    struct Environment
    {
        Accessibility &accessibility;
        const WindowList &windowList;
        Workspace &workspace;
        const EventTaps &eventTaps; // the user's last input
        AppExpose &appExpose;
        // Window numbers of accessibility elements, and an application's
        // windows when the store knows none.
        WindowPreviewProvider &windowPreviews;
        WatchThreads &threads;
    };

    explicit SiblingRaiseGuard(const Environment &environment);
    ~SiblingRaiseGuard();

    // --- The window stack ---------------------------------------------------

    const WindowStack &stack() const { return m_stack; }
    bool isOnScreen(quint32 windowID) const { return m_stack.isOnScreen(windowID); }
    QSet<quint32> windowIDs(qint32 processIdentifier) const { return m_stack.windowIDs(processIdentifier); }
    static bool isSibling(const QSet<quint32> &siblings, quint32 windowID, const QList<StackEntry> &rows)
    {
        return WindowStack::isSibling(siblings, windowID, rows);
    }
    // The application's front window when closing or minimizing it would
    // bring another regular application forward (the shortcut tap's test);
    // nothing otherwise. Any thread.
    std::optional<quint32> frontWindowAboveOtherApplication(const RunningApplication &application) const;
    static QList<quint32> coversToRestore(const QList<Cover> &covers, const QList<StackEntry> &rows)
    {
        return CoverWatch::coversToRestore(covers, rows);
    }

    // --- Cover watches --------------------------------------------------------

    // A click focuses `focusedWindowID`: called after its minimized, main and
    // focused attributes are set and before it is brought forward.
    void watchFocus(const AXElement &focusedWindow, quint32 focusedWindowID, const RunningApplication &application);
    // A press in one of the taskbar's flyouts while `application` was in
    // front: notes the stack as it was (the press snapshot) for the focus
    // that may follow, and watches the application's windows.
    void watchPress(const RunningApplication &application);
    // `application` is about to be brought forward to run a menu command.
    // Returns its frontmost window before the activation.
    std::optional<quint32> watchActivation(const RunningApplication &application);

    // --- Restore, minimize and close watches ------------------------------------

    // A minimized window of `application` is being restored while
    // `coveredApplication`'s window `coveredWindowID` was in front.
    void watchRestore(const AXElement &restoredWindow, std::optional<quint32> restoredWindowID,
        const RunningApplication &application, const QSet<quint32> &knownSiblingIDs, quint32 coveredWindowID,
        const RunningApplication &coveredApplication);
    // A window of `application` is being minimized; `previousApplication`
    // comes to the front again. `appWasDeactivated`: the taskbar took
    // activation from the application for the minimize.
    void watchMinimize(std::optional<quint32> minimizingWindowID, const RunningApplication &application,
        const QSet<quint32> &knownSiblingIDs, const RunningApplication &previousApplication, bool appWasDeactivated);
    // A window of `application` is being minimized and its next window
    // `nextWindowID` takes its place once it has left the screen.
    void watchMinimizeThenFocus(quint32 minimizingWindowID, const RunningApplication &application,
        const AXElement &nextWindow, quint32 nextWindowID);
    // A window of `application` is being closed; `previousApplication` comes
    // to the front again.
    void watchClose(quint32 closingWindowID, const RunningApplication &application,
        const QSet<quint32> &windowIDsBeforeClose, const QSet<quint32> &knownSiblingIDs,
        const RunningApplication &previousApplication);

private:
    struct PressSnapshot
    {
        qint32 processIdentifier = 0;
        QList<MinimizeButtonHitTest::WindowEntry> windows;
        qint64 timeMs = 0;
    };
    struct LastCoveredWindow
    {
        quint32 windowID = 0;
        AXElement element;
    };

    // The press snapshot for this application while it is fresh; it is used up either way.
    std::optional<QList<MinimizeButtonHitTest::WindowEntry>> takeWindowsBeforePress(
        const RunningApplication &application);
    // The press snapshot when it counts, else the stack now.
    QList<MinimizeButtonHitTest::WindowEntry> windowsBeforeAction(const RunningApplication &application);
    void watchCovers(QList<Cover> covers, std::optional<AXElement> keepingInFront);
    // The previous application's front window in the stack now, with its
    // element when a restore watch already found it.
    CoveredWindow coveredWindow(const RunningApplication &previousApplication) const;
    // The main-thread step after a minimize-then-focus watch.
    void focusNextWindow(const MinimizeWatch::FocusRequest &request);

    Environment m_environment;
    WindowStack m_stack;
    QObject m_context; // main-thread steps of the watches end with the guard
    WatchServices m_services;
    CoverWatch::Generation m_generation;
    std::optional<PressSnapshot> m_pressSnapshot;
    std::optional<LastCoveredWindow> m_lastCoveredWindow; // main thread only
};

} // namespace Velmora
