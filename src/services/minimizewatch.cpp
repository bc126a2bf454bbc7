#include "services/minimizewatch.h"

#include "platform/clock.h"
#include "services/appexpose.h"
#include "services/watchservices.h"
#include "services/watchthreads.h"
#include "services/windowstack.h"

namespace Velmora {

MinimizeWatch::MinimizeWatch(const WatchServices &services, Request request)
    : m_services(services)
    , m_request(std::move(request))
{
}

MinimizeWatch::MinimizeWatch(const WatchServices &services, FocusRequest request, FocusNext focusNext)
    : m_services(services)
    , m_focusRequest(std::move(request))
    , m_focusNext(std::move(focusNext))
{
}

void MinimizeWatch::run()
{
    if (m_request)
        runHandOff();
    else if (m_focusRequest)
        runThenFocus();
}

void MinimizeWatch::waitUntilOffScreen(quint32 windowID, qint64 deadlineMs) const
{
    const Clock &clock = m_services.threads.clock();
    while (clock.monotonicMs() < deadlineMs && m_services.stack.isOnScreen(windowID))
        m_services.threads.sleepMs(pollIntervalMs);
}

void MinimizeWatch::watchShrink(
    const std::optional<CoveredWindow::Resolved> &resolved, bool siblingAboveAtStart, qint64 deadlineMs) const
{
    const Request &r = *m_request;
    const Clock &clock = m_services.threads.clock();
    const quint32 minimizing = *r.minimizingWindowID;
    const std::optional<QRectF> start = m_services.stack.frame(minimizing);
    const double threshold = start ? start->height() * shrunkFraction : 0;

    while (clock.monotonicMs() < deadlineMs) {
        const std::optional<QRectF> frame = m_services.stack.frame(minimizing);
        if (!frame)
            break;
        if (frame->height() < threshold) {
            if (resolved)
                m_services.raise(resolved->element);
        } else if (!siblingAboveAtStart && resolved && r.covered.windowID
            && m_services.stack.isSiblingAbove(resolved->siblings, *r.covered.windowID)) {
            m_services.raise(resolved->element);
        }
        m_services.threads.sleepMs(pollIntervalMs);
    }
    // The application's next window rises as the minimized one lands in the
    // Dock, a moment after it has left the list: keep the covered window on top.
    const qint64 settleEndMs = clock.monotonicMs() + settleMs;
    while (clock.monotonicMs() < settleEndMs) {
        if (resolved)
            m_services.raise(resolved->element);
        m_services.threads.sleepMs(settlePollMs);
    }
}

void MinimizeWatch::runHandOff()
{
    const Request &r = *m_request;
    const Clock &clock = m_services.threads.clock();
    const std::optional<CoveredWindow::Resolved> resolved = r.covered.resolve(
        m_services, r.previousApplication, r.application, r.knownSiblingIDs, r.minimizingWindowID);
    const bool siblingAboveAtStart
        = resolved && m_services.stack.isSiblingAbove(resolved->siblings, *r.covered.windowID);

    const qint64 deadlineMs = clock.monotonicMs() + firstPhaseMs;
    if (!r.minimizingWindowID)
        m_services.threads.sleepMs(unnumberedWaitMs);
    else if (r.appWasDeactivated)
        waitUntilOffScreen(*r.minimizingWindowID, deadlineMs);
    else
        watchShrink(resolved, siblingAboveAtStart, deadlineMs);

    const RunningApplication &previous = r.previousApplication;
    if (m_services.hasTerminated(previous))
        return;

    if (r.appWasDeactivated && r.minimizingWindowID) {
        // The user may have gone to another application meanwhile: then
        // nothing is handed back.
        if (!m_services.isOwnProcessActive() && !m_services.isActive(previous.processIdentifier))
            return;
        m_services.appExpose.makeFrontmost(previous);
        m_services.activateOnMain(previous.processIdentifier);
        if (resolved)
            r.covered.raiseWhileSiblingsAbove(m_services, *resolved);
        return;
    }

    if (!m_services.isActive(r.application.processIdentifier) && !m_services.isActive(previous.processIdentifier)
        && !m_services.isOwnProcessActive())
        return;
    if (!resolved) {
        m_services.activateOnMain(previous.processIdentifier);
        return;
    }
    // Activation goes back with the first raise, so the covered window and
    // its application come forward together; or after a short grace when
    // no sibling needed pushing back.
    bool activationRequested = false;
    int raises = 0;
    const qint64 loopStartMs = clock.monotonicMs();
    const qint64 loopEndMs = loopStartMs + CoveredWindow::handOffMs;
    while (raises < CoveredWindow::handOffRaises && clock.monotonicMs() < loopEndMs) {
        if (r.covered.windowID && m_services.stack.isSiblingAbove(resolved->siblings, *r.covered.windowID)) {
            m_services.raise(resolved->element);
            ++raises;
            if (!activationRequested) {
                activationRequested = true;
                m_services.activateOnMain(previous.processIdentifier);
            }
        }
        if (!activationRequested && clock.monotonicMs() - loopStartMs > activationGraceMs) {
            activationRequested = true;
            m_services.activateOnMain(previous.processIdentifier);
        }
        m_services.threads.sleepMs(pollIntervalMs);
    }
    if (!activationRequested)
        m_services.activateOnMain(previous.processIdentifier);
}

void MinimizeWatch::runThenFocus()
{
    const FocusRequest &r = *m_focusRequest;
    const Clock &clock = m_services.threads.clock();
    waitUntilOffScreen(r.minimizingWindowID, clock.monotonicMs() + firstPhaseMs);
    if (m_focusNext)
        m_services.onMain([focusNext = m_focusNext, request = r] { focusNext(request); });
}

} // namespace Velmora
