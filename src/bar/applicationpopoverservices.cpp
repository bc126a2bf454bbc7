#include "bar/applicationpopoverservices.h"

#include "bar/desktopclickcatcherwindows.h"
#include "bar/model/applicationclickmonitors.h"
#include "bar/model/applicationpointerevents.h"
#include "bar/model/popoverdismissingclick.h"

namespace Velmora {

ApplicationPopoverServices::ApplicationPopoverServices(Clock &clock, Scheduler &scheduler, Animator &animator,
                                                       Displays &displays, EventTaps &eventTaps)
    : m_scheduler(scheduler)
    , m_animator(animator)
    , m_pointer(std::make_unique<ApplicationPointerEvents>(eventTaps, clock))
    , m_dismissingClick(std::make_unique<PopoverDismissingClick>(*m_pointer, clock))
    , m_clickMonitors(std::make_unique<ApplicationClickMonitors>(eventTaps, *m_pointer))
    , m_catcherWindows(std::make_unique<DesktopClickCatcherWindows>(displays))
{
}

ApplicationPopoverServices::~ApplicationPopoverServices() = default;

PopoverServices ApplicationPopoverServices::services() const
{
    return PopoverServices{m_scheduler, m_animator, *m_clickMonitors, *m_catcherWindows, *m_dismissingClick};
}

} // namespace Velmora
