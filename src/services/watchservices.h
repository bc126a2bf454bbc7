#pragma once

#include "platform/axelement.h"
#include "platform/runningapplication.h"

#include <QSet>

#include <functional>
#include <optional>

class QObject;

namespace Velmora {

class Accessibility;
class AppExpose;
class EventTaps;
class WatchThreads;
class WindowPreviewProvider;
class WindowStack;
class Workspace;

// What a sibling-raise watch reaches from its thread, and the few steps all
// watches share. Every member may be used from any thread.
struct WatchServices
{
    Accessibility &accessibility;
    const WindowStack &stack;
    Workspace &workspace;
    const EventTaps &eventTaps;
    AppExpose &appExpose;
    WindowPreviewProvider &windowPreviews;
    WatchThreads &threads;
    // Lives on the main thread; main-thread steps are dropped once it is gone.
    QObject *mainContext = nullptr;
    qint32 ownPid = 0;

    // The accessibility element of the application's window with that
    // number: its main window, its focused window, then its window list.
    std::optional<AXElement> accessibilityWindow(quint32 windowID, qint32 processIdentifier) const;
    // Brings the window forward; whether the application did is not asked.
    void raise(const AXElement &window) const;
    // The same on a worker, so it follows what this thread does next.
    void raiseSoon(const AXElement &window) const;
    // The public activation, on the main thread.
    void activateOnMain(qint32 processIdentifier) const;
    void onMain(std::function<void()> job) const;

    bool isActive(qint32 processIdentifier) const;
    bool isOwnProcessActive() const { return isActive(ownPid); }
    // The application quit (or its pid now belongs to another launch).
    bool hasTerminated(const RunningApplication &application) const;
    // The numbers of the application's windows as listed now.
    QSet<quint32> previewWindowIDs(const RunningApplication &application) const;
};

} // namespace Velmora
