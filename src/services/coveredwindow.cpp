#include "services/coveredwindow.h"

#include "platform/clock.h"
#include "services/watchservices.h"
#include "services/watchthreads.h"
#include "services/windowstack.h"

namespace Velmora {

namespace {
constexpr qint64 pollIntervalMs = 2;
}

std::optional<CoveredWindow::Resolved> CoveredWindow::resolve(const WatchServices &services,
    const RunningApplication &previousApplication, const RunningApplication &application,
    const QSet<quint32> &knownSiblingIDs, std::optional<quint32> leaving) const
{
    if (!windowID || previousApplication.processIdentifier == services.ownPid)
        return std::nullopt;
    std::optional<AXElement> element = knownElement;
    if (!element)
        element = services.accessibilityWindow(*windowID, previousApplication.processIdentifier);
    if (!element)
        return std::nullopt;
    QSet<quint32> siblings = knownSiblingIDs.isEmpty() ? services.previewWindowIDs(application) : knownSiblingIDs;
    if (leaving)
        siblings.remove(*leaving);
    if (siblings.isEmpty())
        return std::nullopt;
    return Resolved { *element, siblings };
}

void CoveredWindow::raiseWhileSiblingsAbove(const WatchServices &services, const Resolved &resolved) const
{
    if (!windowID)
        return;
    const Clock &clock = services.threads.clock();
    const qint64 deadlineMs = clock.monotonicMs() + handOffMs;
    int raises = 0;
    while (raises < handOffRaises && clock.monotonicMs() < deadlineMs) {
        if (services.stack.isSiblingAbove(resolved.siblings, *windowID)) {
            services.raise(resolved.element);
            ++raises;
        }
        services.threads.sleepMs(pollIntervalMs);
    }
}

} // namespace Velmora
