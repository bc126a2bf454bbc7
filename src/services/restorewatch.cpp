#include "services/restorewatch.h"

#include "platform/clock.h"
#include "services/coveredwindow.h"
#include "services/watchservices.h"
#include "services/watchthreads.h"
#include "services/windowstack.h"

#include <limits>

namespace Velmora {

namespace {

constexpr qint64 distantPastMs = std::numeric_limits<qint64>::min() / 2;

} // namespace

RestoreWatch::RestoreWatch(const WatchServices &services, Request request, CoveredRecorder recordCovered)
    : m_services(services)
    , m_request(std::move(request))
    , m_recordCovered(std::move(recordCovered))
{
}

void RestoreWatch::run()
{
    const Request &r = m_request;
    const qint32 pid = r.application.processIdentifier;
    const qint32 coveredPid = r.coveredApplication.processIdentifier;
    const std::optional<CoveredWindow::Resolved> resolved = CoveredWindow { r.coveredWindowID, std::nullopt }.resolve(
        m_services, r.coveredApplication, r.application, r.knownSiblingIDs, r.restoredWindowID);
    if (!resolved)
        return;
    const AXElement &covered = resolved->element;
    const QSet<quint32> &siblings = resolved->siblings;

    if (m_recordCovered) {
        m_services.onMain([record = m_recordCovered, id = r.coveredWindowID, element = covered] {
            record(id, element);
        });
    }

    const Clock &clock = m_services.threads.clock();
    qint64 lastCoveredRaiseMs = distantPastMs;
    qint64 lastRestoredRaiseMs = distantPastMs;
    const qint64 deadlineMs = clock.monotonicMs() + durationMs;
    bool restoredSeen = false;
    WindowStack::Reading reading;
    reading.reserve(64);

    for (qint64 nowMs = clock.monotonicMs(); nowMs < deadlineMs; nowMs = clock.monotonicMs()) {
        const QList<WindowStack::Entry> &rows = m_services.stack.readStack(reading);
        // A third application came forward: the user has moved on.
        if (!rows.isEmpty() && rows.first().processIdentifier != pid && rows.first().processIdentifier != coveredPid)
            return;
        const WindowStack::Entry *appFront = nullptr;
        bool restoredAmongApp = false;
        for (const WindowStack::Entry &row : std::as_const(rows)) {
            if (row.processIdentifier != pid)
                continue;
            if (!appFront)
                appFront = &row;
            if (row.windowID == r.restoredWindowID)
                restoredAmongApp = true;
        }

        // Until the restored window shows, only the covered window is
        // looked after; once it has shown, a sibling in the application's
        // front means the application itself brought another window up.
        const bool checkFront = restoredSeen ? appFront != nullptr : (r.restoredWindowID && restoredAmongApp);
        if (restoredSeen || checkFront) {
            if (checkFront && siblings.contains(appFront->windowID))
                return;
            restoredSeen = true;
            if (r.restoredWindowID && !m_services.isActive(coveredPid)) {
                const qsizetype coveredIndex = WindowStack::indexOf(rows, r.coveredWindowID);
                const qsizetype restoredIndex = WindowStack::indexOf(rows, *r.restoredWindowID);
                if (coveredIndex >= 0 && restoredIndex >= 0 && coveredIndex < restoredIndex
                    && nowMs - lastRestoredRaiseMs > raiseIntervalMs) {
                    lastRestoredRaiseMs = nowMs;
                    m_services.raiseSoon(r.restoredWindow);
                }
            }
        }

        if (WindowStack::isSibling(siblings, r.coveredWindowID, rows) && nowMs - lastCoveredRaiseMs > raiseIntervalMs) {
            lastCoveredRaiseMs = nowMs;
            m_services.raise(covered);
            if (!rows.isEmpty() && (!r.restoredWindowID || rows.first().windowID != *r.restoredWindowID))
                m_services.raiseSoon(r.restoredWindow);
        }
        m_services.threads.sleepMs(pollIntervalMs);
    }
}

} // namespace Velmora
