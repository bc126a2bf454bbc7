#include "platform/sim/simeventtap.h"

#include "platform/sim/simdesktop.h"

namespace Velmora::Sim {

SimEventTap::SimEventTap(SimDesktop &desktop, quint64 handle, std::shared_ptr<SimThreadAnchor> anchor)
    : m_desktop(&desktop)
    , m_handle(handle)
    , m_anchor(std::move(anchor))
{
}

SimEventTap::~SimEventTap()
{
    if (m_desktop)
        m_desktop->removeTap(m_handle);
}

void SimEventTap::setEnabled(bool enabled)
{
    if (m_desktop)
        m_desktop->setTapEnabled(m_handle, enabled);
}

bool SimEventTap::isEnabled() const
{
    return m_desktop && m_desktop->isTapEnabled(m_handle);
}

} // namespace Velmora::Sim
