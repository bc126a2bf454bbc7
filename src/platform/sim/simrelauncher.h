#pragma once

#include "platform/relauncher.h"
#include "platform/sim/simdesktopaccess.h"

namespace Velmora::Sim {

// Relaunching on the simulated desktop: nothing starts on this machine. The
// request is logged (SimOperations::Relaunch, the program as the name, the
// process to wait for and the arguments as the detail) and succeeds unless a
// failure is injected.
class SimRelauncher final : public Relauncher
{
public:
    explicit SimRelauncher(SimDesktopAccess world);

    bool relaunchWhenExited(qint64 processIdentifier, const QString &program, const QStringList &arguments) override;

private:
    SimDesktop &m_desktop;
    SimDesktopAccess m_world;
};

} // namespace Velmora::Sim
