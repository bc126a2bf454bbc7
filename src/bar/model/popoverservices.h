#pragma once

namespace Velmora {

class Animator;
class ClickCatcherWindows;
class ClickMonitors;
class PopoverDismissingClick;
class Scheduler;

// What every popover of the application shares: time, motion, the click
// monitors, the desktop click catcher windows and the dismissing-click
// record. All must outlive the popovers.
struct PopoverServices
{
    Scheduler &scheduler;
    Animator &animator;
    ClickMonitors &clickMonitors;
    ClickCatcherWindows &clickCatcherWindows;
    PopoverDismissingClick &dismissingClick;
};

} // namespace Velmora
