#include "services/fullscreendisplaydetector.h"

#include "platform/accessibility.h"
#include "platform/axnames.h"
#include "platform/displays.h"
#include "platform/windowlist.h"
#include "platform/workspace.h"
#include "services/axreads.h"
#include "services/messagingtimeoutscope.h"
#include "services/screengeometry.h"

#include <QHash>

#include <cmath>

namespace Velmora {

FullScreenDisplayDetector::FullScreenDisplayDetector(
    Accessibility &accessibility, const WindowList &windowList, const Displays &displays, const Workspace &workspace)
    : m_accessibility(accessibility)
    , m_windowList(windowList)
    , m_displays(displays)
    , m_workspace(workspace)
{
}

bool FullScreenDisplayDetector::covers(const QRectF &window, const QRectF &display)
{
    return std::abs(window.left() - display.left()) <= boundsTolerance
        && std::abs(window.top() - display.top()) <= boundsTolerance
        && std::abs((window.x() + window.width()) - (display.x() + display.width())) <= boundsTolerance
        && std::abs((window.y() + window.height()) - (display.y() + display.height())) <= boundsTolerance;
}

QSet<quint32> FullScreenDisplayDetector::displayIDs()
{
    QList<Display> displays;
    for (const DisplayInfo &screen : m_displays.screens()) {
        if (screen.displayId != 0)
            displays.append({ screen.displayId, screen.bounds });
    }
    if (displays.isEmpty())
        return {};

    const std::optional<QList<WindowListEntry>> entries
        = m_windowList.copyWindowInfo(WindowList::OnScreenExceptDesktop, WindowList::NoWindow);
    if (!entries)
        return {};

    const qint32 ownProcessIdentifier = m_workspace.currentProcessIdentifier();
    // Owners with a window covering a display; only such windows add to it.
    QHash<qint32, QSet<quint32>> matches;
    for (const WindowListEntry &entry : *entries) {
        if (entry.layer() != 0)
            continue;
        const std::optional<qint32> owner = entry.ownerPID();
        if (!owner || *owner == ownProcessIdentifier)
            continue;
        const std::optional<QRectF> bounds = entry.bounds();
        if (!bounds)
            continue;
        for (const Display &display : std::as_const(displays)) {
            if (covers(*bounds, display.bounds))
                matches[*owner].insert(display.displayID);
        }
    }

    const bool trusted = m_accessibility.isProcessTrusted();
    QSet<quint32> result;
    for (auto it = matches.cbegin(); it != matches.cend(); ++it) {
        if (!trusted) {
            result.unite(it.value());
            continue;
        }
        const std::optional<QSet<quint32>> fullScreen = accessibilityFullScreenDisplayIDs(it.key(), displays);
        if (!fullScreen) {
            result.unite(it.value());
            continue;
        }
        for (quint32 displayID : it.value()) {
            if (fullScreen->contains(displayID))
                result.insert(displayID);
        }
    }
    return result;
}

std::optional<QSet<quint32>> FullScreenDisplayDetector::accessibilityFullScreenDisplayIDs(
    qint32 processIdentifier, const QList<Display> &displays)
{
    MessagingTimeoutScope scope(m_accessibility, messagingTimeoutSeconds);
    const AXElement application = scope.limit(m_accessibility.applicationElement(processIdentifier));
    const std::optional<QList<AXElement>> windows = AXReads::elements(m_accessibility, application, AXNames::Windows);
    if (!windows)
        return std::nullopt;

    QSet<quint32> result;
    for (const AXElement &window : *windows) {
        scope.limit(window);
        if (AXReads::boolean(m_accessibility, window, WindowAttributeNames::fullScreen()) != true)
            continue;
        const std::optional<QPointF> position
            = AXReads::point(m_accessibility, window, WindowAttributeNames::position());
        const std::optional<QSizeF> size = AXReads::size(m_accessibility, window, WindowAttributeNames::size());
        if (!position || !size)
            continue;
        const QPointF centre(position->x() + size->width() / 2, position->y() + size->height() / 2);
        for (const Display &display : displays) {
            if (ScreenGeometry::contains(display.bounds, centre)) {
                result.insert(display.displayID);
                break;
            }
        }
    }
    return result;
}

} // namespace Velmora
