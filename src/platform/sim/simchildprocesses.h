#pragma once

#include "platform/childprocesses.h"
#include "platform/sim/simdesktopaccess.h"

namespace Velmora::Sim {

// Child processes on the simulated desktop: nothing ever runs on this
// machine. Every start is logged (SimOperations::StartDetached, the program as
// the name, the arguments as the detail) and succeeds unless a failure is
// injected. "/usr/bin/killall" with a process name ends the simulated
// processes of that name at once; the Dock, ended so, is started again by the
// system a moment later.
class SimChildProcesses final : public ChildProcesses
{
public:
    static constexpr QLatin1String KillAllProgram{"/usr/bin/killall"};

    explicit SimChildProcesses(SimDesktopAccess world);

    bool startDetached(const QString &program, const QStringList &arguments) override;

private:
    SimDesktop &m_desktop;
    SimDesktopAccess m_world;
};

} // namespace Velmora::Sim
