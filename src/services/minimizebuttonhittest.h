#pragma once

#include "platform/runningapplication.h"
#include "platform/windowlistentry.h"

#include <QList>
#include <QPointF>
#include <QRectF>

#include <optional>

namespace Velmora {

class Accessibility;
class Workspace;

// What lies under a press and what lies below a window, for the taking over
// of minimize and close: which window a press on the frontmost application
// hit, whether it hit that window's minimize or close button, and which
// application comes to the front when the window goes away.
//
// Stateless; callable from any thread. The list functions work on one
// snapshot of the window list that the caller takes.
class MinimizeButtonHitTest
{
public:
    enum class Button { Minimize, Close };

    // One normal window of the window list.
    struct WindowEntry
    {
        quint32 windowID = 0;
        qint32 processIdentifier = 0;
        QRectF bounds; // top-left origin, y down
        friend bool operator==(const WindowEntry &, const WindowEntry &) = default;
    };

    struct ButtonHit
    {
        Button button = Button::Minimize;
        QRectF frame; // top-left origin, y down
        friend bool operator==(const ButtonHit &, const ButtonHit &) = default;
    };

    // Title-bar buttons sit in this corner of a window; a press elsewhere is
    // never taken for one, whatever accessibility says.
    static constexpr double buttonCornerWidth = 120;
    static constexpr double buttonCornerHeight = 80;
    // A normal window: layer 0 and at least this big.
    static constexpr double minimumWidth = 80;
    static constexpr double minimumHeight = 40;
    // The hit test runs while a mouse button is down.
    static constexpr double messagingTimeoutSeconds = 0.05;

    static bool isNormalSize(const QRectF &bounds)
    {
        return bounds.width() >= minimumWidth && bounds.height() >= minimumHeight;
    }

    // The entry of a normal window of the list: layer 0, a number, an owner
    // and bounds of at least the normal size; anything missing or of another
    // type makes it no entry.
    static std::optional<WindowEntry> windowEntry(const WindowListEntry &entry);
    // The normal windows of a window list, front to back.
    static QList<WindowEntry> windowEntries(const QList<WindowListEntry> &list);

    // The entry a press at `point` hits when that entry is the process's and
    // the press lies in its top-left button corner; entries behind the
    // frontmost one containing the point are never considered.
    static std::optional<qsizetype> windowIndex(
        const QPointF &point, const QList<WindowEntry> &entries, qint32 processIdentifier);
    // The entry below the one at `index`: of the later entries that are not
    // `ownProcess`'s, the first that overlaps it, else the first of them.
    static std::optional<WindowEntry> windowBelow(
        qsizetype index, const QList<WindowEntry> &entries, qint32 ownProcess);
    // The process that comes to the front when the window at `index` goes.
    static std::optional<qint32> processBelow(qsizetype index, const QList<WindowEntry> &entries, qint32 ownProcess);
    // processBelow with this process left out, as a running regular application.
    static std::optional<RunningApplication> applicationBelow(
        const Workspace &workspace, qsizetype index, const QList<WindowEntry> &entries);

    // The minimize or close button of `processIdentifier`'s window under the
    // point, with its frame; nothing for anything else under it.
    static std::optional<ButtonHit> buttonFrame(
        Accessibility &accessibility, const QPointF &point, qint32 processIdentifier);
};

} // namespace Velmora
