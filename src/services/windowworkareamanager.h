#pragma once

#include "platform/axelement.h"
#include "platform/runningapplication.h"

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include <optional>
#include <variant>

namespace Velmora {

class Accessibility;
class Displays;
class Workspace;

// Keeps other applications' windows out of the strip the taskbar occupies at
// the bottom of every display: a window whose bottom edge reaches into it is
// moved up, shortened, or both.
//
// Coordinates are global: origin at the top left of the primary display, y
// down, as display bounds and accessibility positions use them.
//
// Main thread. Every call blocks on the applications it asks; each is given a
// short messaging time-out so one that hangs cannot freeze the bar.
class WindowWorkAreaManager
{
public:
    // A window may reach this far into the strip before it is corrected.
    static constexpr double bottomTolerance = 2.0;
    // A window whose top is this close to the work area's top is only shortened.
    static constexpr double topTolerance = 0.5;
    // A window is never made shorter than this.
    static constexpr double minimumHeight = 180.0;
    static constexpr double messagingTimeoutSeconds = 0.25;

    struct DisplayWorkArea
    {
        QRectF bounds;
        // No window's top above this: the display's top below its menu bar.
        double top = 0;
        // Where the reserved strip begins.
        double bottom = 0;

        friend bool operator==(const DisplayWorkArea &, const DisplayWorkArea &) = default;
    };

    struct Report
    {
        bool trusted = false;
        int inspected = 0;
        int adjusted = 0;

        friend bool operator==(const Report &, const Report &) = default;
    };

    struct Counts
    {
        int inspected = 0;
        int adjusted = 0;

        friend bool operator==(const Counts &, const Counts &) = default;
    };

    // Keep the position, set the size.
    struct Resize
    {
        QSizeF size;
        friend bool operator==(const Resize &, const Resize &) = default;
    };
    // Set the position; when that cannot be done, the fallback size instead.
    struct Move
    {
        QPointF origin;
        std::optional<QSizeF> fallbackSize;
        friend bool operator==(const Move &, const Move &) = default;
    };
    // Set the position, then the size; the move is undone when the size cannot be set.
    struct MoveAndResize
    {
        QPointF origin;
        QSizeF size;
        friend bool operator==(const MoveAndResize &, const MoveAndResize &) = default;
    };
    using Correction = std::variant<Resize, Move, MoveAndResize>;

    WindowWorkAreaManager(Accessibility &accessibility, Workspace &workspace, const Displays &displays);

    // Corrects the windows of every regular application but this one.
    // Touches nothing without accessibility trust.
    Report apply(double reservedHeight);
    // One work area per screen, in screen order; screens without a number are skipped.
    QList<DisplayWorkArea> displayWorkAreas(double reservedHeight) const;
    // A window is judged only against the display that holds its centre.
    static std::optional<Correction> correction(const QRectF &frame, const QList<DisplayWorkArea> &workAreas);
    // Full-screen and unreadable windows count as inspected and are left alone.
    Counts keepWindowsInWorkArea(const RunningApplication &application, const QList<DisplayWorkArea> &workAreas);
    // Whether the window was changed.
    bool keepWindowInWorkArea(const AXElement &window, const QList<DisplayWorkArea> &workAreas);

private:
    bool isSettable(const AXElement &window, const QString &attribute);
    bool write(const AXElement &window, const QString &attribute, const QPointF &position);
    bool write(const AXElement &window, const QString &attribute, const QSizeF &size);
    bool carryOut(const AXElement &window, const QRectF &frame, const Correction &correction);

    Accessibility &m_accessibility;
    Workspace &m_workspace;
    const Displays &m_displays;
};

} // namespace Velmora
