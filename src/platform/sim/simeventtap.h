#pragma once

#include "platform/eventtap.h"

#include <QPointer>

namespace Velmora::Sim {

class SimDesktop;

// A mouse or key tap on the simulated desktop's input.
class SimEventTap final : public EventTap
{
public:
    SimEventTap(SimDesktop &desktop, quint64 handle);
    ~SimEventTap() override;

    void setEnabled(bool enabled) override;
    bool isEnabled() const override;

private:
    QPointer<SimDesktop> m_desktop;
    quint64 m_handle;
};

} // namespace Velmora::Sim
