#pragma once

#include "platform/eventtap.h"
#include "platform/sim/simthreadanchor.h"

#include <QPointer>

#include <memory>

namespace Velmora::Sim {

class SimDesktop;

// A mouse or key tap on the simulated desktop's input.
class SimEventTap final : public EventTap
{
public:
    // `anchor`: the object on the thread a key tap answers on, if any.
    SimEventTap(SimDesktop &desktop, quint64 handle, std::shared_ptr<SimThreadAnchor> anchor = {});
    ~SimEventTap() override;

    void setEnabled(bool enabled) override;
    bool isEnabled() const override;

private:
    QPointer<SimDesktop> m_desktop;
    quint64 m_handle;
    std::shared_ptr<SimThreadAnchor> m_anchor;
};

} // namespace Velmora::Sim
