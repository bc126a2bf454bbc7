#include "store/servicewindowguard.h"

#include "platform/workspace.h"
#include "services/appexpose.h"
#include "services/closeshortcut.h"
#include "services/minimizebuttonhittest.h"
#include "services/siblingraiseguard.h"

namespace Velmora {

ServiceWindowGuard::ServiceWindowGuard(SiblingRaiseGuard &guard, AppExpose &appExpose, Accessibility &accessibility,
    Workspace &workspace, WindowPreviewProvider &windowPreviews)
    : m_guard(guard)
    , m_appExpose(appExpose)
    , m_accessibility(accessibility)
    , m_workspace(workspace)
    , m_windowPreviews(windowPreviews)
{
}

bool ServiceWindowGuard::isOnScreen(quint32 windowID) const
{
    return m_guard.isOnScreen(windowID);
}

QList<WindowGuard::StackEntry> ServiceWindowGuard::stackEntries() const
{
    return m_guard.stack().windowEntries();
}

QSet<quint32> ServiceWindowGuard::windowIDs(qint32 processIdentifier) const
{
    return m_guard.windowIDs(processIdentifier);
}

void ServiceWindowGuard::watchFocus(const AXElement &window, quint32 windowID, const RunningApplication &application)
{
    m_guard.watchFocus(window, windowID, application);
}

void ServiceWindowGuard::watchPress(const RunningApplication &application)
{
    m_guard.watchPress(application);
}

void ServiceWindowGuard::watchRestore(const AXElement &restoredWindow, std::optional<quint32> restoredWindowID,
    const RunningApplication &application, const QSet<quint32> &knownSiblingIDs, quint32 coveredWindowID,
    const RunningApplication &coveredApplication)
{
    m_guard.watchRestore(
        restoredWindow, restoredWindowID, application, knownSiblingIDs, coveredWindowID, coveredApplication);
}

void ServiceWindowGuard::watchMinimize(std::optional<quint32> minimizingWindowID, const RunningApplication &application,
    const QSet<quint32> &knownSiblingIDs, const std::optional<RunningApplication> &previousApplication,
    bool appWasDeactivated)
{
    // Without an application to go back to there is no order to keep.
    if (previousApplication)
        m_guard.watchMinimize(
            minimizingWindowID, application, knownSiblingIDs, *previousApplication, appWasDeactivated);
}

void ServiceWindowGuard::watchMinimize(
    quint32 minimizingWindowID, const RunningApplication &application, const AXElement &thenFocus, quint32 nextWindowID)
{
    m_guard.watchMinimizeThenFocus(minimizingWindowID, application, thenFocus, nextWindowID);
}

void ServiceWindowGuard::watchClose(quint32 closingWindowID, const RunningApplication &application,
    const QSet<quint32> &windowIDsBeforeClose, const QSet<quint32> &knownSiblingIDs,
    const std::optional<RunningApplication> &previousApplication)
{
    if (previousApplication)
        m_guard.watchClose(closingWindowID, application, windowIDsBeforeClose, knownSiblingIDs, *previousApplication);
}

bool ServiceWindowGuard::focus(quint32 windowID, const RunningApplication &application)
{
    return m_appExpose.focus(windowID, application);
}

void ServiceWindowGuard::makeFrontmost(qint32 processIdentifier)
{
    RunningApplication application;
    application.processIdentifier = processIdentifier;
    m_appExpose.makeFrontmost(application);
}

std::optional<qsizetype> ServiceWindowGuard::windowIndex(
    const QPointF &point, const QList<StackEntry> &entries, qint32 processIdentifier) const
{
    return MinimizeButtonHitTest::windowIndex(point, entries, processIdentifier);
}

std::optional<WindowGuard::StackEntry> ServiceWindowGuard::windowBelow(
    qsizetype index, const QList<StackEntry> &entries, qint32 ownProcess) const
{
    return MinimizeButtonHitTest::windowBelow(index, entries, ownProcess);
}

std::optional<RunningApplication> ServiceWindowGuard::applicationBelow(
    qsizetype index, const QList<StackEntry> &entries) const
{
    return MinimizeButtonHitTest::applicationBelow(m_workspace, index, entries);
}

std::optional<WindowGuard::TitleBarButton> ServiceWindowGuard::buttonFrame(
    const QPointF &point, qint32 processIdentifier)
{
    const auto hit = MinimizeButtonHitTest::buttonFrame(m_accessibility, point, processIdentifier);
    if (!hit)
        return std::nullopt;
    return TitleBarButton { hit->button == MinimizeButtonHitTest::Button::Close ? Button::close : Button::minimize,
        hit->frame };
}

std::optional<AXElement> ServiceWindowGuard::closeButtonIfShortcutCloses(quint32 windowID, qint32 processIdentifier)
{
    return CloseShortcut::closeButton(m_accessibility, m_windowPreviews, windowID, processIdentifier);
}

} // namespace Velmora
