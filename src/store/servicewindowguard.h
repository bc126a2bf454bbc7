#pragma once

#include "store/windowguard.h"

namespace Velmora {

class Accessibility;
class AppExpose;
class SiblingRaiseGuard;
class WindowPreviewProvider;
class Workspace;

// The store's window guard over the window services: the sibling-raise
// guard's stack and watches, AppExpose, the minimize-button hit test and
// the close shortcut.
class ServiceWindowGuard final : public WindowGuard
{
public:
    ServiceWindowGuard(SiblingRaiseGuard &guard, AppExpose &appExpose, Accessibility &accessibility,
        Workspace &workspace, WindowPreviewProvider &windowPreviews);

    bool isOnScreen(quint32 windowID) const override;
    QList<StackEntry> stackEntries() const override;
    QSet<quint32> windowIDs(qint32 processIdentifier) const override;
    void watchFocus(const AXElement &window, quint32 windowID, const RunningApplication &application) override;
    void watchPress(const RunningApplication &application) override;
    void watchRestore(const AXElement &restoredWindow, std::optional<quint32> restoredWindowID,
        const RunningApplication &application, const QSet<quint32> &knownSiblingIDs, quint32 coveredWindowID,
        const RunningApplication &coveredApplication) override;
    void watchMinimize(std::optional<quint32> minimizingWindowID, const RunningApplication &application,
        const QSet<quint32> &knownSiblingIDs, const std::optional<RunningApplication> &previousApplication,
        bool appWasDeactivated) override;
    void watchMinimize(quint32 minimizingWindowID, const RunningApplication &application, const AXElement &thenFocus,
        quint32 nextWindowID) override;
    void watchClose(quint32 closingWindowID, const RunningApplication &application,
        const QSet<quint32> &windowIDsBeforeClose, const QSet<quint32> &knownSiblingIDs,
        const std::optional<RunningApplication> &previousApplication) override;
    bool focus(quint32 windowID, const RunningApplication &application) override;
    void makeFrontmost(qint32 processIdentifier) override;
    std::optional<qsizetype> windowIndex(
        const QPointF &point, const QList<StackEntry> &entries, qint32 processIdentifier) const override;
    std::optional<StackEntry> windowBelow(
        qsizetype index, const QList<StackEntry> &entries, qint32 ownProcess) const override;
    std::optional<RunningApplication> applicationBelow(qsizetype index, const QList<StackEntry> &entries) const override;
    std::optional<TitleBarButton> buttonFrame(const QPointF &point, qint32 processIdentifier) override;
    std::optional<AXElement> closeButtonIfShortcutCloses(quint32 windowID, qint32 processIdentifier) override;

private:
    SiblingRaiseGuard &m_guard;
    AppExpose &m_appExpose;
    Accessibility &m_accessibility;
    Workspace &m_workspace;
    WindowPreviewProvider &m_windowPreviews;
};

} // namespace Velmora
