#include "services/closewatch.h"

#include "platform/clock.h"
#include "services/appexpose.h"
#include "services/watchservices.h"
#include "services/watchthreads.h"
#include "services/windowstack.h"

namespace Velmora {

CloseWatch::CloseWatch(const WatchServices &services, Request request)
    : m_services(services)
    , m_request(std::move(request))
{
}

bool CloseWatch::closeSettled(WindowStack::Reading &reading) const
{
    const Request &r = m_request;
    if (!m_services.stack.isOnScreen(r.closingWindowID))
        return true;
    if (r.windowIDsBeforeClose.isEmpty())
        return true;
    for (const WindowStack::Entry &row : m_services.stack.readStack(reading)) {
        if (row.processIdentifier == r.application.processIdentifier && !r.windowIDsBeforeClose.contains(row.windowID))
            return true;
    }
    return false;
}

void CloseWatch::run()
{
    const Request &r = m_request;
    const Clock &clock = m_services.threads.clock();
    const std::optional<CoveredWindow::Resolved> resolved
        = r.covered.resolve(m_services, r.previousApplication, r.application, r.knownSiblingIDs, r.closingWindowID);

    const qint64 deadlineMs = clock.monotonicMs() + waitMs;
    WindowStack::Reading reading;
    reading.reserve(64);
    while (clock.monotonicMs() < deadlineMs && !closeSettled(reading))
        m_services.threads.sleepMs(pollIntervalMs);

    const RunningApplication &previous = r.previousApplication;
    if (!m_services.isOwnProcessActive() && !m_services.isActive(previous.processIdentifier))
        return;
    if (m_services.stack.isOnScreen(r.closingWindowID)) {
        // The window stays (the user is asked something): its application
        // needs the front to ask.
        AppExpose *expose = &m_services.appExpose;
        m_services.onMain([expose, application = r.application] { expose->makeFrontmost(application); });
        return;
    }
    if (m_services.hasTerminated(previous))
        return;
    m_services.appExpose.makeFrontmost(previous);
    m_services.activateOnMain(previous.processIdentifier);
    if (resolved)
        r.covered.raiseWhileSiblingsAbove(m_services, *resolved);
}

} // namespace Velmora
