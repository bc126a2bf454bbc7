#pragma once

#include "onboarding/model/onboardingprogress.h"

#include <QObject>
#include <QPointer>

namespace Velmora {

class Accessibility;
class Displays;
class DockPosition;
class OnboardingViewModel;
class OnboardingWindow;
class OwnApplication;
class ScreenCapture;
class Scheduler;
class TaskbarStore;
class UserDefaults;
class Workspace;

// Opens, brings forward and closes the one onboarding window, and keeps
// the user's progress. While the window is open the application is a
// regular one (a Dock icon and a menu bar, so the window can be found
// again) and the store's isOnboardingOpen is true; when it closes the
// application goes back to being an accessory.
//
// Closing with the close button ends the setup for good only once the
// process is trusted for Accessibility; otherwise the next launch opens the
// window again at the saved page. Main thread only.
class OnboardingWindowController : public QObject
{
    Q_OBJECT
public:
    struct Environment {
        UserDefaults &defaults;
        Accessibility &accessibility;
        DockPosition &dock;
        ScreenCapture &screenCapture;
        Workspace &workspace;
        OwnApplication &application;
        const Displays &displays;
        Scheduler &scheduler;
    };

    explicit OnboardingWindowController(Environment environment, QObject *parent = nullptr);
    ~OnboardingWindowController() override;

    OnboardingProgress &progress() { return m_progress; }
    // The window while it is open; null before and after.
    OnboardingWindow *window() const { return m_window; }
    OnboardingViewModel *viewModel() const;

    // Opens the window at the saved page, or brings the open one forward
    // (a later store is then ignored).
    void show(TaskbarStore &store);

    // The close button: always lets the window close.
    bool windowShouldClose();
    void windowWillClose();
    // The last page's main button: the setup is complete, whatever was granted.
    void finish();

private:
    void bringForward();

    Environment m_env;
    OnboardingProgress m_progress;
    QPointer<OnboardingWindow> m_window;
    QPointer<TaskbarStore> m_store;
};

} // namespace Velmora
