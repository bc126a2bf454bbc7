#pragma once

namespace Velmora {

class TaskbarStore;

// The start-up steps that lie outside the shell: the composition root wires
// each one to the part of the product that does it, tests record them. The
// steps this platform has no counterpart for do nothing unless overridden.
class StartupSteps
{
public:
    virtual ~StartupSteps();

    // No Dock icon and no menu bar of our own: the application never has
    // either here.
    virtual void setAccessoryActivationPolicy() { }
    virtual void installApplicationIcon() = 0;
    // Offers the move into the applications folder; true when a move and
    // relaunch is under way and this instance is ending.
    virtual bool offerMoveIfNeeded() = 0;
    virtual void startUpdater() = 0;
    virtual void makeStatusItem() = 0;
    // Keeps the arrow cursor over the bar while another application is
    // active; the panels set the arrow themselves here.
    virtual void enableBackgroundCursor() { }
    virtual void installActivationParking() = 0;
    virtual void startSystemMonitor() = 0;
    // Creates the one store; called once, on its first use.
    virtual TaskbarStore &createStore() = 0;
    // "OnboardingCompleted" is stored as true.
    virtual bool isOnboardingCompleted() const = 0;
    virtual void showOnboarding(TaskbarStore &store) = 0;
    virtual bool hasOnboardingWindow() const = 0;
};

} // namespace Velmora
