#include "services/windowworkareamanager.h"

#include "platform/accessibility.h"
#include "platform/axnames.h"
#include "platform/displays.h"
#include "platform/workspace.h"
#include "services/axreads.h"
#include "services/messagingtimeoutscope.h"
#include "services/screengeometry.h"

#include <cmath>

namespace Velmora {

WindowWorkAreaManager::WindowWorkAreaManager(
    Accessibility &accessibility, Workspace &workspace, const Displays &displays)
    : m_accessibility(accessibility)
    , m_workspace(workspace)
    , m_displays(displays)
{
}

QList<WindowWorkAreaManager::DisplayWorkArea> WindowWorkAreaManager::displayWorkAreas(double reservedHeight) const
{
    QList<DisplayWorkArea> areas;
    for (const DisplayInfo &screen : m_displays.screens()) {
        if (screen.displayId == 0)
            continue;
        // Frames are y-up: the menu bar is what the visible frame leaves out at the top.
        const double frameTop = screen.frame.y() + screen.frame.height();
        const double visibleTop = screen.visibleFrame.y() + screen.visibleFrame.height();
        const double menuBarInset = std::max(0.0, frameTop - visibleTop);
        areas.append({ screen.bounds, screen.bounds.y() + menuBarInset,
            screen.bounds.y() + screen.bounds.height() - reservedHeight });
    }
    return areas;
}

std::optional<WindowWorkAreaManager::Correction> WindowWorkAreaManager::correction(
    const QRectF &frame, const QList<DisplayWorkArea> &workAreas)
{
    const QPointF centre(frame.x() + frame.width() / 2, frame.y() + frame.height() / 2);
    const auto area = std::find_if(workAreas.cbegin(), workAreas.cend(),
        [&](const DisplayWorkArea &candidate) { return ScreenGeometry::contains(candidate.bounds, centre); });
    if (area == workAreas.cend())
        return std::nullopt;
    if (frame.y() + frame.height() <= area->bottom + bottomTolerance)
        return std::nullopt;

    const double available = area->bottom - frame.y();
    if (std::abs(frame.y() - area->top) <= topTolerance) {
        if (available >= minimumHeight)
            return Resize { QSizeF(frame.width(), available) };
        return std::nullopt;
    }

    const double areaHeight = area->bottom - area->top;
    if (frame.height() <= areaHeight) {
        std::optional<QSizeF> fallback;
        if (available >= minimumHeight)
            fallback = QSizeF(frame.width(), available);
        return Move { QPointF(frame.x(), area->bottom - frame.height()), fallback };
    }
    if (areaHeight >= minimumHeight)
        return MoveAndResize { QPointF(frame.x(), area->top), QSizeF(frame.width(), areaHeight) };
    return std::nullopt;
}

WindowWorkAreaManager::Report WindowWorkAreaManager::apply(double reservedHeight)
{
    if (!m_accessibility.isProcessTrusted())
        return {};
    const QList<DisplayWorkArea> areas = displayWorkAreas(reservedHeight);
    const qint32 ownProcessIdentifier = m_workspace.currentProcessIdentifier();
    Report report;
    report.trusted = true;
    for (const RunningApplication &application : m_workspace.runningApplications()) {
        if (application.activationPolicy != ActivationPolicy::Regular
            || application.processIdentifier == ownProcessIdentifier || application.isTerminated)
            continue;
        const Counts counts = keepWindowsInWorkArea(application, areas);
        report.inspected += counts.inspected;
        report.adjusted += counts.adjusted;
    }
    return report;
}

WindowWorkAreaManager::Counts WindowWorkAreaManager::keepWindowsInWorkArea(
    const RunningApplication &application, const QList<DisplayWorkArea> &workAreas)
{
    MessagingTimeoutScope scope(m_accessibility, messagingTimeoutSeconds);
    const AXElement element = scope.limit(m_accessibility.applicationElement(application.processIdentifier));
    const std::optional<QList<AXElement>> windows = AXReads::elements(m_accessibility, element, AXNames::Windows);
    if (!windows)
        return {};
    Counts counts;
    counts.inspected = int(windows->size());
    for (const AXElement &window : *windows)
        counts.adjusted += keepWindowInWorkArea(window, workAreas);
    return counts;
}

bool WindowWorkAreaManager::keepWindowInWorkArea(const AXElement &window, const QList<DisplayWorkArea> &workAreas)
{
    // The window may come from the work-area observer, which keeps it for
    // its own notifications: the short wait ends with this pass.
    MessagingTimeoutScope scope(m_accessibility, messagingTimeoutSeconds);
    scope.limit(window);
    if (AXReads::boolean(m_accessibility, window, WindowAttributeNames::fullScreen()) == true)
        return false;
    const std::optional<QPointF> position = AXReads::point(m_accessibility, window, WindowAttributeNames::position());
    const std::optional<QSizeF> size = AXReads::size(m_accessibility, window, WindowAttributeNames::size());
    if (!position || !size)
        return false;
    const QRectF frame(*position, *size);
    const std::optional<Correction> change = correction(frame, workAreas);
    return change && carryOut(window, frame, *change);
}

bool WindowWorkAreaManager::isSettable(const AXElement &window, const QString &attribute)
{
    return m_accessibility.isAttributeSettable(window, attribute).valueOr(false);
}

bool WindowWorkAreaManager::write(const AXElement &window, const QString &attribute, const QPointF &position)
{
    return m_accessibility.setAttributeValue(window, attribute, AXValue::fromPoint(position)) == AXError::Success;
}

bool WindowWorkAreaManager::write(const AXElement &window, const QString &attribute, const QSizeF &size)
{
    return m_accessibility.setAttributeValue(window, attribute, AXValue::fromSize(size)) == AXError::Success;
}

bool WindowWorkAreaManager::carryOut(const AXElement &window, const QRectF &frame, const Correction &correction)
{
    if (const Resize *resize = std::get_if<Resize>(&correction))
        return isSettable(window, WindowAttributeNames::size())
            && write(window, WindowAttributeNames::size(), resize->size);

    if (const Move *move = std::get_if<Move>(&correction)) {
        if (isSettable(window, WindowAttributeNames::position())
            && write(window, WindowAttributeNames::position(), move->origin))
            return true;
        return move->fallbackSize && isSettable(window, WindowAttributeNames::size())
            && write(window, WindowAttributeNames::size(), *move->fallbackSize);
    }

    const MoveAndResize &both = std::get<MoveAndResize>(correction);
    if (!isSettable(window, WindowAttributeNames::position()) || !isSettable(window, WindowAttributeNames::size()))
        return false;
    if (!write(window, WindowAttributeNames::position(), both.origin))
        return false;
    if (write(window, WindowAttributeNames::size(), both.size))
        return true;
    // A window moved to the top but left at its old height would hang
    // further into the strip than before.
    write(window, WindowAttributeNames::position(), frame.topLeft());
    return false;
}

} // namespace Velmora
