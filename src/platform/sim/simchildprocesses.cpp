#include "platform/sim/simchildprocesses.h"

#include "platform/sim/simdesktop.h"
#include "platform/sim/simoperations.h"

namespace Velmora::Sim {

SimChildProcesses::SimChildProcesses(SimDesktopAccess world)
    : m_desktop(world.desktop())
    , m_world(world)
{
}

bool SimChildProcesses::startDetached(const QString &program, const QStringList &arguments)
{
    if (m_world.refuses(SimOperations::StartDetached, program, 0, arguments))
        return false;
    if (program == KillAllProgram) {
        for (const QString &name : arguments)
            m_desktop.killAll(name);
    }
    return true;
}

} // namespace Velmora::Sim
