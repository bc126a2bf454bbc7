#include "picker/taskbarcardtooltip.h"

#include "bar/taskbartooltipcontroller.h"

namespace Velmora {

TaskbarCardTooltip::TaskbarCardTooltip(TaskbarTooltipController &controller)
    : m_controller(controller)
{
}

void TaskbarCardTooltip::schedule(const QString &title)
{
    m_controller.schedule(title);
}

void TaskbarCardTooltip::hide()
{
    m_controller.hide();
}

} // namespace Velmora
