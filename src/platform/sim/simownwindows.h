#pragma once

#include "platform/ownwindowregistry.h"

namespace Velmora::Sim {

class SimDesktop;

// This application's own windows as windows of its process on the simulated
// desktop: the window list and accessibility show them like any other
// application's, so the rules that skip them are exercised for real.
class SimOwnWindows final : public OwnWindowRegistry
{
public:
    explicit SimOwnWindows(SimDesktop &desktop);

    quint32 addWindow(const OwnWindowState &state) override;
    void updateWindow(quint32 number, const OwnWindowState &state) override;
    void orderFront(quint32 number) override;
    void removeWindow(quint32 number) override;

private:
    // Only this process's windows are this interface's to change.
    bool isOwn(quint32 number) const;

    SimDesktop &m_desktop;
};

} // namespace Velmora::Sim
