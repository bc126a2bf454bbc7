#pragma once

#include "platform/axelement.h"
#include "platform/runningapplication.h"
#include "services/accessibilitywindownumber.h"
#include "services/otherspacewindows.h"
#include "services/windowpreviewitem.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

#include <optional>

namespace Velmora {

class Accessibility;
class Clock;
class Displays;
class PrivateFunctions;
class WindowList;
class Workspace;

// Lists another application's windows as the taskbar shows them, joining
// the accessibility service's windows (title, buttons, actions) with the
// window server's entries (number, bounds, front-to-back order).
//
// One instance serves the whole process: it holds the health record of the
// private window-number lookup and the elements found on other Spaces.
// Every function may be called from any thread and blocks only the caller.
class WindowPreviewProvider
{
public:
    static const QString untitledWindowTitle; // "Untitled Window"
    // lastUsedRank of a window the window server does not list, plus its index.
    static constexpr qint64 rankWithoutEntry = 4611686018427387903LL;
    static constexpr int tabWalkElementLimit = 1500;
    static constexpr int tabWalkDepthLimit = 23;

    struct VisibilityCandidate
    {
        QString id;
        std::optional<quint32> windowID;
        qint32 processIdentifier = 0;
    };

    // What one batched read tells about a window element.
    struct WindowAttributes
    {
        std::optional<QString> title;
        std::optional<QString> subrole;
        std::optional<QSizeF> size;
        bool isMain = false;
        bool isMinimized = false;
        bool hasCloseButton = false;

        // Which of two elements with the same window number is the window:
        // main, standard and closable win.
        int selectionPriority() const;
    };

    WindowPreviewProvider(Accessibility &accessibility, const WindowList &windowList,
        const PrivateFunctions &privateFunctions, const Displays &displays, Workspace &workspace, const Clock &clock);

    // The application's windows in selection order (not display order).
    // Empty without accessibility trust or when the application answers nothing.
    QList<WindowPreviewItem> windows(const RunningApplication &application);
    // The same, but nothing when the application did not answer in time: a
    // hung application still has its windows, it only cannot list them, and
    // a caller that remembers them should keep them. A `messagingTimeoutSeconds`
    // above 0 bounds each read of the application (for callers on the main
    // thread); 0 waits as long as the system does.
    std::optional<QList<WindowPreviewItem>> windowsIfAnswered(
        const RunningApplication &application, double messagingTimeoutSeconds = 0);
    QSet<quint32> windowServerWindowIDs(qint32 processIdentifier) const;
    QHash<quint32, QString> windowServerTitles() const;
    std::optional<quint32> accessibilityWindowID(const AXElement &element);
    // The number of tabs of a window; nothing when it shows none.
    std::optional<int> tabCount(const AXElement &window);

    static QList<VisibilityCandidate> visibilityCandidates(const QList<WindowPreviewItem> &items);
    // The ids of the candidates that are at least partly visible on screen.
    QSet<QString> visiblePreviewIDs(const QList<VisibilityCandidate> &candidates) const;

    static double aspectRatio(const QSizeF &size);

    OtherSpaceWindows &otherSpaceWindows() { return m_otherSpaceWindows; }

private:
    // Nothing when the application did not answer in time.
    std::optional<WindowAttributes> windowAttributes(const AXElement &element);
    // The windows that answered; `answered` turns false when any read timed out.
    QList<WindowPreviewItem> listWindows(
        const RunningApplication &application, bool &answered, double messagingTimeoutSeconds = 0);
    QList<AXElement> otherSpaceWindows(const RunningApplication &application, const QList<AXElement> &listed,
        const WindowServerEntries::Index &entries, const AXElement &applicationElement);

    Accessibility &m_accessibility;
    const WindowList &m_windowList;
    const Displays &m_displays;
    const qint32 m_ownPid;
    AccessibilityWindowNumber m_windowNumber;
    OtherSpaceWindows m_otherSpaceWindows;
};

} // namespace Velmora
