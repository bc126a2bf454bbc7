#include "store/stillrunning.h"

#include "platform/workspace.h"

namespace Velmora {

bool isStillRunning(const Workspace &workspace, const RunningApplication &application)
{
    const std::optional<RunningApplication> now = workspace.application(application.processIdentifier);
    return now && !now->isTerminated && now->launchDateMs == application.launchDateMs;
}

} // namespace Velmora
