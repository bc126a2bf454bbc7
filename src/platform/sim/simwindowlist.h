#pragma once

#include "platform/windowlist.h"

namespace Velmora::Sim {

class SimDesktop;

// The window server's list, derived from the simulated desktop's world.
// Window names are given only with the screen-recording permission (or for
// this process's own windows), as the window server does. A test can replace
// single fields of an entry (SimWindow::windowListOverrides) or make the whole
// call fail (SimOperations::CopyWindowInfo: no list).
class SimWindowList final : public WindowList
{
public:
    explicit SimWindowList(SimDesktop &desktop);

    std::optional<QList<WindowListEntry>> copyWindowInfo(quint32 options, quint32 relativeToWindow) const override;

private:
    SimDesktop &m_desktop;
};

} // namespace Velmora::Sim
