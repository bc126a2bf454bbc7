#pragma once

#include "platform/axelement.h"
#include "platform/runningapplication.h"
#include "services/minimizebuttonhittest.h"

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSet>

#include <optional>

namespace Velmora {

// What the store's window actions ask of the window services that keep the
// window order: the window stack, the watches that stop an application's
// other windows from rising over the one the user chose, bringing a process
// or one window forward, and the hit test of other applications' title-bar
// buttons. The store only decides; this does the work.
//
// Main thread unless a function says otherwise.
class WindowGuard
{
public:
    // One window of the on-screen stack that a user would call a window
    // (layer 0, at least 80 by 40 points): the hit test's own entry, so the
    // stack goes to it as read.
    using StackEntry = MinimizeButtonHitTest::WindowEntry;

    enum class Button { minimize, close };

    struct TitleBarButton
    {
        Button button = Button::minimize;
        QRectF frame; // top-left origin, y down
    };

    virtual ~WindowGuard() = default;

    // Does nothing and finds nothing: the store's window actions then fall
    // back to the public calls.
    static WindowGuard &inert();

    // Where the window stands in `entries`, if it is there.
    static std::optional<qsizetype> indexOf(const QList<StackEntry> &entries, quint32 windowID)
    {
        for (qsizetype i = 0; i < entries.size(); ++i) {
            if (entries.at(i).windowID == windowID)
                return i;
        }
        return std::nullopt;
    }

    // --- The window stack (any thread) ---------------------------------------

    virtual bool isOnScreen(quint32 windowID) const = 0;
    // The on-screen stack, front to back.
    virtual QList<StackEntry> stackEntries() const = 0;
    // The numbers of the process's windows in that stack.
    virtual QSet<quint32> windowIDs(qint32 processIdentifier) const = 0;

    // --- Watches: each returns at once and watches on a thread of its own ---

    // The application's other windows must not rise over `window` now that it
    // was brought forward.
    virtual void watchFocus(const AXElement &window, quint32 windowID, const RunningApplication &application) = 0;
    // A press in one of the taskbar's flyouts took activation from `application`.
    virtual void watchPress(const RunningApplication &application) = 0;
    // A minimized window is being restored over `coveredWindowID` of `coveredApplication`.
    virtual void watchRestore(const AXElement &restoredWindow, std::optional<quint32> restoredWindowID,
        const RunningApplication &application, const QSet<quint32> &knownSiblingIDs, quint32 coveredWindowID,
        const RunningApplication &coveredApplication)
        = 0;
    // A window is being minimized; the previous application comes forward again.
    virtual void watchMinimize(std::optional<quint32> minimizingWindowID, const RunningApplication &application,
        const QSet<quint32> &knownSiblingIDs, const std::optional<RunningApplication> &previousApplication,
        bool appWasDeactivated)
        = 0;
    // A window is being minimized; the application's next window takes the front.
    virtual void watchMinimize(quint32 minimizingWindowID, const RunningApplication &application,
        const AXElement &thenFocus, quint32 nextWindowID)
        = 0;
    // A window is being closed; the previous application comes forward again.
    virtual void watchClose(quint32 closingWindowID, const RunningApplication &application,
        const QSet<quint32> &windowIDsBeforeClose, const QSet<quint32> &knownSiblingIDs,
        const std::optional<RunningApplication> &previousApplication)
        = 0;

    // --- Activation -------------------------------------------------------------

    // Brings that window of the application to the front as its key window;
    // false when the private calls are missing or refuse.
    virtual bool focus(quint32 windowID, const RunningApplication &application) = 0;
    // Makes the process frontmost without raising any of its windows; does
    // nothing without the private calls.
    virtual void makeFrontmost(qint32 processIdentifier) = 0;

    // --- Title-bar buttons (entries as stackEntries() gives them) ---------------

    // The index of the entry a press at `point` hits when it lies in the
    // title-bar corner of a window of `processIdentifier`.
    virtual std::optional<qsizetype> windowIndex(
        const QPointF &point, const QList<StackEntry> &entries, qint32 processIdentifier) const
        = 0;
    // The window that lies below the entry at `index`, not of `ownProcess`.
    virtual std::optional<StackEntry> windowBelow(
        qsizetype index, const QList<StackEntry> &entries, qint32 ownProcess) const
        = 0;
    // The regular application that comes forward when the entry at `index` goes.
    virtual std::optional<RunningApplication> applicationBelow(
        qsizetype index, const QList<StackEntry> &entries) const
        = 0;
    // The minimize or close button of `processIdentifier` under `point`.
    virtual std::optional<TitleBarButton> buttonFrame(const QPointF &point, qint32 processIdentifier) = 0;
    // The close button of the application's focused window when Command-W
    // would close that very window (not a tab). Any thread; may be slow.
    virtual std::optional<AXElement> closeButtonIfShortcutCloses(quint32 windowID, qint32 processIdentifier) = 0;
};

} // namespace Velmora
