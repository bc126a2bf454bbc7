#pragma once

#include <QString>

#include <functional>
#include <optional>

namespace Velmora {

// The product's own top-level windows as the store handles them: the
// settings window, the Task Manager, the taskbar panels and the other
// windows that share the "velmora-windows" button. The application layer
// implements it over its widgets (the core never touches one); the store
// decides when to create, show or miniaturize them.
//
// Main thread only.
class OwnWindowsHost
{
public:
    // One own window, by its number in the window list.
    struct Window
    {
        quint32 number = 0;
        bool isVisible = false;
        bool isMiniaturized = false;

        friend bool operator==(const Window &, const Window &) = default;
    };

    virtual ~OwnWindowsHost() = default;

    // Called after any own window became key, was miniaturized or
    // deminiaturized, changed its occlusion or is about to close. The store
    // sets it once; the host calls it on the main thread.
    virtual void setWindowsChangedHandler(std::function<void()> handler) = 0;

    // The window whose identifier is "Velmora.Settings", while it exists.
    virtual std::optional<Window> settingsWindow() const = 0;
    // Builds the settings window, without showing it: "Velmora Settings",
    // titled, closable, miniaturizable and resizable, content at least 540 by
    // 440 and at first 600 by 740 points, kept when closed, placed on the
    // screen under the pointer. Replaces an earlier one.
    virtual void createSettingsWindow() = 0;

    // The Task Manager's window, once it was first shown.
    virtual std::optional<Window> taskManagerWindow() const = 0;
    // Opens the Task Manager, or brings it to the front.
    virtual void presentTaskManager() = 0;

    // The windows that share the "velmora-windows" button, in window order.
    virtual QList<Window> otherWindows() const = 0;
    // That button's title: the first such window's, absent when there is none.
    virtual std::optional<QString> otherWindowsButtonTitle() const = 0;

    virtual void miniaturize(quint32 number) = 0;
    // Deminiaturizes the window when needed, makes it key and orders it in
    // front, also of other applications' windows; it stays shown when the
    // application is deactivated.
    virtual void show(quint32 number) = 0;
    // Activates this application, ignoring other applications.
    virtual void activate() = 0;
    // Makes the first taskbar panel the key window; nothing without one.
    virtual void makeTaskbarPanelKey() = 0;
    // The system's alert sound.
    virtual void beep() = 0;
    // Ends this application the ordinary way.
    virtual void terminate() = 0;
};

} // namespace Velmora
