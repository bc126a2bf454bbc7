#include "services/siblingraiseguard.h"

#include "platform/accessibility.h"
#include "platform/clock.h"
#include "platform/workspace.h"
#include "services/appexpose.h"
#include "services/closewatch.h"
#include "services/restorewatch.h"
#include "services/servicelabels.h"
#include "services/watchthreads.h"

namespace Velmora {

SiblingRaiseGuard::SiblingRaiseGuard(const Environment &environment)
    : m_environment(environment)
    , m_stack(environment.windowList)
    , m_services { environment.accessibility, m_stack, environment.workspace, environment.eventTaps,
        environment.appExpose, environment.windowPreviews, environment.threads, &m_context,
        environment.workspace.currentProcessIdentifier() }
{
}

SiblingRaiseGuard::~SiblingRaiseGuard()
{
    // The watches use this guard's stack and services until they end; each
    // ends within a couple of seconds.
    m_environment.threads.waitForAll();
}

std::optional<quint32> SiblingRaiseGuard::frontWindowAboveOtherApplication(
    const RunningApplication &application) const
{
    // One read of the stack: the application's first window in it is its front one.
    const QList<MinimizeButtonHitTest::WindowEntry> entries = m_stack.windowEntries();
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (entries[i].processIdentifier != application.processIdentifier)
            continue;
        if (MinimizeButtonHitTest::applicationBelow(m_environment.workspace, i, entries))
            return entries[i].windowID;
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<QList<MinimizeButtonHitTest::WindowEntry>> SiblingRaiseGuard::takeWindowsBeforePress(
    const RunningApplication &application)
{
    const std::optional<PressSnapshot> snapshot = std::exchange(m_pressSnapshot, std::nullopt);
    if (!snapshot || snapshot->processIdentifier != application.processIdentifier)
        return std::nullopt;
    if (m_environment.threads.clock().monotonicMs() - snapshot->timeMs >= pressSnapshotLifetimeMs)
        return std::nullopt;
    return snapshot->windows;
}

QList<MinimizeButtonHitTest::WindowEntry> SiblingRaiseGuard::windowsBeforeAction(
    const RunningApplication &application)
{
    if (std::optional<QList<MinimizeButtonHitTest::WindowEntry>> before = takeWindowsBeforePress(application))
        return *std::move(before);
    return m_stack.windowEntries();
}

void SiblingRaiseGuard::watchPress(const RunningApplication &application)
{
    if (application.processIdentifier == m_services.ownPid)
        return;
    const QList<MinimizeButtonHitTest::WindowEntry> entries = m_stack.windowEntries();
    m_pressSnapshot = PressSnapshot { application.processIdentifier, entries,
        m_environment.threads.clock().monotonicMs() };
    watchCovers(CoverWatch::covers(entries, application.processIdentifier, m_services.ownPid, std::nullopt),
        std::nullopt);
}

void SiblingRaiseGuard::watchFocus(
    const AXElement &focusedWindow, quint32 focusedWindowID, const RunningApplication &application)
{
    if (application.processIdentifier == m_services.ownPid)
        return;
    const QList<MinimizeButtonHitTest::WindowEntry> entries = windowsBeforeAction(application);
    watchCovers(CoverWatch::covers(entries, application.processIdentifier, m_services.ownPid, focusedWindowID),
        focusedWindow);
}

std::optional<quint32> SiblingRaiseGuard::watchActivation(const RunningApplication &application)
{
    if (application.processIdentifier == m_services.ownPid)
        return std::nullopt;
    const QList<MinimizeButtonHitTest::WindowEntry> entries = windowsBeforeAction(application);
    watchCovers(
        CoverWatch::covers(entries, application.processIdentifier, m_services.ownPid, std::nullopt), std::nullopt);
    for (const MinimizeButtonHitTest::WindowEntry &entry : entries) {
        if (entry.processIdentifier == application.processIdentifier)
            return entry.windowID;
    }
    return std::nullopt;
}

void SiblingRaiseGuard::watchCovers(QList<Cover> covers, std::optional<AXElement> keepingInFront)
{
    // Every call ends the watch before it, even one that starts nothing.
    const quint64 generation = m_generation.advance();
    if (covers.isEmpty() || !m_environment.accessibility.isProcessTrusted())
        return;
    auto watch = std::make_shared<CoverWatch>(
        m_services, m_generation, generation, std::move(covers), std::move(keepingInFront));
    m_environment.threads.startWatch(ServiceLabels::CoverWatchThread, [watch] { watch->run(); });
}

CoveredWindow SiblingRaiseGuard::coveredWindow(const RunningApplication &previousApplication) const
{
    CoveredWindow covered;
    for (const StackEntry &row : m_stack.entries()) {
        if (row.processIdentifier != previousApplication.processIdentifier)
            continue;
        covered.windowID = row.windowID;
        if (m_lastCoveredWindow && m_lastCoveredWindow->windowID == row.windowID)
            covered.knownElement = m_lastCoveredWindow->element;
        break;
    }
    return covered;
}

void SiblingRaiseGuard::watchRestore(const AXElement &restoredWindow, std::optional<quint32> restoredWindowID,
    const RunningApplication &application, const QSet<quint32> &knownSiblingIDs, quint32 coveredWindowID,
    const RunningApplication &coveredApplication)
{
    RestoreWatch::Request request { restoredWindow, restoredWindowID, application, knownSiblingIDs, coveredWindowID,
        coveredApplication };
    // Runs on the main thread, posted by the watch.
    auto record = [this](quint32 windowID, const AXElement &element) {
        m_lastCoveredWindow = LastCoveredWindow { windowID, element };
    };
    auto watch = std::make_shared<RestoreWatch>(m_services, std::move(request), std::move(record));
    m_environment.threads.startWatch(ServiceLabels::RestoreWatchThread, [watch] { watch->run(); });
}

void SiblingRaiseGuard::watchMinimize(std::optional<quint32> minimizingWindowID,
    const RunningApplication &application, const QSet<quint32> &knownSiblingIDs,
    const RunningApplication &previousApplication, bool appWasDeactivated)
{
    MinimizeWatch::Request request { minimizingWindowID, application, knownSiblingIDs, previousApplication,
        appWasDeactivated, coveredWindow(previousApplication) };
    auto watch = std::make_shared<MinimizeWatch>(m_services, std::move(request));
    m_environment.threads.startWatch(ServiceLabels::MinimizeWatchThread, [watch] { watch->run(); });
}

void SiblingRaiseGuard::watchMinimizeThenFocus(quint32 minimizingWindowID, const RunningApplication &application,
    const AXElement &nextWindow, quint32 nextWindowID)
{
    if (application.processIdentifier == m_services.ownPid)
        return;
    MinimizeWatch::FocusRequest request { minimizingWindowID, application, nextWindow, nextWindowID };
    auto watch = std::make_shared<MinimizeWatch>(m_services, std::move(request),
        [this](const MinimizeWatch::FocusRequest &r) { focusNextWindow(r); });
    m_environment.threads.startWatch(ServiceLabels::MinimizeWatchThread, [watch] { watch->run(); });
}

void SiblingRaiseGuard::focusNextWindow(const MinimizeWatch::FocusRequest &request)
{
    // The user may have gone elsewhere while the window shrank.
    if (m_services.hasTerminated(request.application) || !m_services.isOwnProcessActive())
        return;
    watchFocus(request.nextWindow, request.nextWindowID, request.application);
    if (!m_environment.appExpose.focus(request.nextWindowID, request.application))
        m_environment.appExpose.makeFrontmost(request.application);
    m_services.raiseSoon(request.nextWindow);
}

void SiblingRaiseGuard::watchClose(quint32 closingWindowID, const RunningApplication &application,
    const QSet<quint32> &windowIDsBeforeClose, const QSet<quint32> &knownSiblingIDs,
    const RunningApplication &previousApplication)
{
    CloseWatch::Request request { closingWindowID, application, windowIDsBeforeClose, knownSiblingIDs,
        previousApplication, coveredWindow(previousApplication) };
    auto watch = std::make_shared<CloseWatch>(m_services, std::move(request));
    m_environment.threads.startWatch(ServiceLabels::CloseWatchThread, [watch] { watch->run(); });
}

} // namespace Velmora
