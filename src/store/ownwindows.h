#pragma once

#include "store/ownwindowshost.h"

#include <QObject>

namespace Velmora {

class TaskbarStore;

// The product's own windows on its own bar: the settings window, the Task
// Manager and the other windows that share the "velmora-windows" button,
// and restarting the product. Part of the store; main thread only.
class OwnWindows : public QObject
{
    Q_OBJECT
public:
    explicit OwnWindows(TaskbarStore &store);

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
    // Saves the settings, starts this program again once this instance has
    // ended, then ends it; when that cannot be arranged, beeps, keeps
    // running and returns false.
    bool relaunchApp();

private:
    TaskbarStore &m_store;
};

} // namespace Velmora
