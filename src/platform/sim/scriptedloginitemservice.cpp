#include "platform/sim/scriptedloginitemservice.h"

namespace Velmora::Sim {

std::optional<QString> ScriptedLoginItemService::registerItem()
{
    return change(m_statusAfterRegistering);
}

std::optional<QString> ScriptedLoginItemService::unregisterItem()
{
    return change(Status::NotRegistered);
}

std::optional<QString> ScriptedLoginItemService::change(Status after)
{
    ++m_changeCount;
    if (m_nextError)
        return std::exchange(m_nextError, std::nullopt);
    m_status = after;
    return std::nullopt;
}

} // namespace Velmora::Sim
