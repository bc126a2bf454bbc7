#pragma once

#include "bar/model/popoverservices.h"

#include <memory>

namespace Velmora {

class Animator;
class ApplicationClickMonitors;
class ApplicationPointerEvents;
class Clock;
class DesktopClickCatcherWindows;
class Displays;
class EventTaps;
class Scheduler;

// The shared half of the application's popovers, made once at start-up:
// the click monitors, the desktop click catcher windows and the
// dismissing-click record over this application's input and the desktop's.
// The bar hands services() to every InstantPopover and asks
// dismissingClick().consume() at the mouse-down of its flyout buttons.
class ApplicationPopoverServices
{
public:
    ApplicationPopoverServices(Clock &clock, Scheduler &scheduler, Animator &animator, Displays &displays,
                               EventTaps &eventTaps);
    ~ApplicationPopoverServices();

    PopoverServices services() const;
    PopoverDismissingClick &dismissingClick() const { return *m_dismissingClick; }
    DesktopClickCatcherWindows &clickCatcherWindows() const { return *m_catcherWindows; }

private:
    Scheduler &m_scheduler;
    Animator &m_animator;
    std::unique_ptr<ApplicationPointerEvents> m_pointer;
    std::unique_ptr<PopoverDismissingClick> m_dismissingClick;
    std::unique_ptr<ApplicationClickMonitors> m_clickMonitors;
    std::unique_ptr<DesktopClickCatcherWindows> m_catcherWindows;
};

} // namespace Velmora
