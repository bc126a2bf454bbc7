#include "app/taskmanagerstaterelay.h"

namespace Velmora {

void TaskManagerStateRelay::attach(TaskManagerOpenState *state)
{
    const bool wasOpen = isOpen();
    if (m_state)
        disconnect(m_state, nullptr, this, nullptr);
    m_state = state;
    if (m_state)
        connect(m_state, &TaskManagerOpenState::isOpenChanged, this, &TaskManagerOpenState::isOpenChanged);
    if (isOpen() != wasOpen)
        emit isOpenChanged(isOpen());
}

bool TaskManagerStateRelay::isOpen() const
{
    return m_state && m_state->isOpen();
}

} // namespace Velmora
