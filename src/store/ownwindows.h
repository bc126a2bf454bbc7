#pragma once

#include "store/ownwindowshost.h"

#include <QObject>
#include <QString>

#include <optional>

namespace Velmora {

class Relauncher;
class Scheduler;
class SettingsWindowHost;
class WindowList;

// The product's own windows on its own bar: the settings window, the Task
// Manager and the other windows that share the "velmora-windows" button,
// and restarting the product. What the bar shows of them it hears through
// settingsWindowShown and otherVelmoraWindowTitleRead. Part of the store;
// main thread only.
class OwnWindows : public QObject
{
    Q_OBJECT
public:
    struct Services
    {
        Scheduler &scheduler;
        SettingsWindowHost &settingsWindow;
        // Implemented by the application layer; without it nothing happens.
        OwnWindowsHost *ownWindows = nullptr;
        // Tells which normal window is in front.
        const WindowList *windowList = nullptr;
        Relauncher *relauncher = nullptr;
    };

    explicit OwnWindows(Services services);

    // Follows the own windows' changes from now on.
    void observeOwnWindows();

    // Shows the settings window when it exists; brings it in front of other
    // applications' windows.
    void showSettingsWindow();
    // Creates the settings window when there is none, then shows it: what the
    // "Settings…" commands do.
    void openSettings();
    // Recomputes the "velmora-windows" button's title.
    void refreshOtherVelmoraWindows();
    void showOtherVelmoraWindows();
    // Miniaturizes the first of those windows that is in front, else shows them all.
    void toggleOtherVelmoraWindows();
    // Whether one of the product's own windows is the front normal window.
    bool isFrontmostWindow(const OwnWindowsHost::Window &window) const;
    // Starts this program again once this instance has ended, then ends it;
    // when that cannot be arranged, beeps and keeps running.
    void relaunchApp();

    // The height the settings page measured for its content.
    double settingsContentHeight() const { return m_settingsContentHeight; }
    void setSettingsContentHeight(double height) { m_settingsContentHeight = height; }
    // Grows the settings window to that height.
    void fitSettingsWindowToContent();

signals:
    void settingsWindowShown();
    // The "velmora-windows" button's title, read afresh (it may be unchanged).
    void otherVelmoraWindowTitleRead(const std::optional<QString> &title);

private:
    Services m_services;
    double m_settingsContentHeight = 0;
};

} // namespace Velmora
