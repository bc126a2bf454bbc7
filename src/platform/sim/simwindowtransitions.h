#pragma once

#include "platform/inputevents.h"

#include <QHash>
#include <QPointF>
#include <QRectF>

#include <functional>

namespace Velmora::Sim {

struct SimDesktopParts;
struct SimWindow;

// Minimizing, restoring and closing windows. They take time, as on the
// desktop we model: a minimizing window shrinks towards the Dock over the
// application's minimize duration before it leaves the screen, a restored one
// grows back out of it (both shorter with reduce motion; SimKnobs), and a
// close lands after the application's close duration and can stop at a
// "save changes?" sheet.
class SimWindowTransitions
{
public:
    explicit SimWindowTransitions(SimDesktopParts &parts);

    bool beginMinimize(quint32 number);
    bool beginRestore(quint32 number);
    bool beginClose(quint32 number);
    // Answers an open sheet: closing discards the window, cancelling keeps it.
    bool answerSheet(quint32 number, bool close);
    // A left button press or release reaching the window under the pointer:
    // a press activates the window's application, which brings its windows
    // forward; a release on a title-bar button minimizes, closes or zooms.
    void mouseButton(InputEventType type, const QPointF &globalPoint);

    bool isInTransition(quint32 number) const { return m_inTransition.contains(number); }
    // The window is gone: whatever it was doing ends.
    void forget(quint32 number) { m_inTransition.remove(number); }
    void clear() { m_inTransition.clear(); }

private:
    // The zoom button: the window fills its display's visible frame, or
    // goes back to where it was before.
    void zoom(quint32 number);
    // A restored window is back on screen, in front, its application active.
    void comeBack(quint32 number);
    // Minimizing and restoring: how long they take for this window now.
    qint64 minimizeDurationMs(const SimWindow &window) const;
    // Moves the window's drawn frame from `from` to `to` over `durationMs`,
    // frame by frame, then runs `done`; stops early when the window goes.
    void animate(quint32 number, quint64 transition, const QRectF &from, const QRectF &to, qint64 durationMs,
                 std::function<void()> done);
    void animationFrame(quint32 number, quint64 transition, const QRectF &from, const QRectF &to, qint64 startMs,
                        qint64 durationMs, const std::function<void()> &done);

    SimDesktopParts &m_parts;
    // Minimizing, restoring or closing, each with a number of its own.
    QHash<quint32, quint64> m_inTransition;
    quint64 m_nextTransition = 1;
};

} // namespace Velmora::Sim
