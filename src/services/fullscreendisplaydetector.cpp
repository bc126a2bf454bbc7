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
    for (qsizetype i = 0; i < entries->size(); ++i) {
        const ReadEntry &read = readEntry(i, entries->at(i), ownProcessIdentifier);
        if (!read.candidate)
            continue;
        for (const Display &display : std::as_const(displays)) {
            if (covers(read.bounds, display.bounds))
                matches[read.owner].insert(display.displayID);
        }
    }
    m_readEntries.resize(entries->size());

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

const FullScreenDisplayDetector::ReadEntry &FullScreenDisplayDetector::readEntry(
    qsizetype index, const WindowListEntry &entry, qint32 ownProcessIdentifier)
{
    if (index >= m_readEntries.size())
        m_readEntries.resize(index + 1);
    ReadEntry &read = m_readEntries[index];
    // Our own process identifier never changes, so an entry read before
    // reads the same now.
    if (entry.fields().isSharedWith(read.fields) && !entry.fields().isEmpty())
        return read;
    read = ReadEntry {};
    read.fields = entry.fields();
    const std::optional<qint32> owner = entry.layer() == 0 ? entry.ownerPID() : std::nullopt;
    const std::optional<QRectF> bounds = owner && *owner != ownProcessIdentifier ? entry.bounds() : std::nullopt;
    if (bounds) {
        read.candidate = true;
        read.owner = *owner;
        read.bounds = *bounds;
    }
    return read;
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
