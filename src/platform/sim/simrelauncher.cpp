#include "platform/sim/simrelauncher.h"

#include "platform/sim/simdesktop.h"
#include "platform/sim/simoperations.h"

namespace Velmora::Sim {

SimRelauncher::SimRelauncher(SimDesktopAccess world)
    : m_desktop(world.desktop())
    , m_world(world)
{
}

bool SimRelauncher::relaunchWhenExited(qint64 processIdentifier, const QString &program, const QStringList &arguments)
{
    const QVariantList detail { processIdentifier, arguments };
    return !m_world.refuses(SimOperations::Relaunch, program, 0, detail);
}

} // namespace Velmora::Sim
