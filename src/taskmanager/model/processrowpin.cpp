#include "taskmanager/model/processrowpin.h"

#include <algorithm>

namespace Velmora {

QList<ManagedProcess> ProcessRowPin::applying(QList<ManagedProcess> processes) const
{
    const auto found
        = std::find_if(processes.cbegin(), processes.cend(), [this](const ManagedProcess &p) { return isPinned(p); });
    if (found == processes.cend())
        return processes;
    const ManagedProcess pinned = *found;
    processes.erase(found);
    processes.insert(std::clamp<qsizetype>(index, 0, processes.size()), pinned);
    return processes;
}

} // namespace Velmora
