#pragma once

#include <QByteArray>
#include <QList>

#include <optional>

namespace Velmora::Sim {

struct SimDesktopParts;

// Which application is active, and how windows come forward with it. The
// desktop raises every window of an application it activates, not only the
// one the user asked for: the product works around exactly this.
class SimActivation
{
public:
    explicit SimActivation(SimDesktopParts &parts);

    // The options of the private front-process call that the desktop knows.
    static constexpr quint32 FocusWindowOption = 0x200;
    static constexpr qsizetype EventRecordSize = 248;

    // Makes the application frontmost and raises all of its windows; unhides
    // it first. The main window comes forward at once, the others in bursts
    // after a delay (SimKnobs). False when no such application runs or it is
    // quitting.
    bool activate(qint32 pid);
    // Makes the application frontmost without raising any window.
    bool makeFrontmost(qint32 pid);
    // Brings this one window to the front and its application with it; no sibling rises.
    bool focusWindow(quint32 number);
    // Brings this one window to the front of the stack; activation does not change.
    bool raiseWindow(quint32 number);
    bool placeInFrontOfSiblings(quint32 number);
    bool hide(qint32 pid);
    bool unhide(qint32 pid);

    // The private front-process call: with FocusWindowOption and a window of
    // the process, that window is to become key, which takes the two event
    // records that follow (SimKnobs::frontCallNeedsEventRecords); otherwise
    // the process only becomes frontmost. False when there is no such process.
    bool frontProcess(qint32 pid, quint32 window, quint32 options);
    // An event record posted to a process. A well-formed first and second
    // record naming the window of the last front-process call focus it; any
    // other record ends that call's hope of focusing its window.
    void eventRecord(qint32 pid, const QByteArray &record);
    // The kind (1 or 2) and window of a well-formed record.
    struct EventRecord {
        int kind = 0;
        quint32 window = 0;
    };
    static std::optional<EventRecord> readEventRecord(const QByteArray &record);

    // Changes the frontmost application and tells whoever listens.
    void setFrontmost(std::optional<qint32> pid);
    // The application whose window is frontmost now becomes active (the one
    // leaving does not count); none when no regular application shows a window.
    void chooseNewFrontmost();
    // When the front window of the active application goes away, its next
    // window becomes key and comes to the front, over whatever another
    // application had placed above it.
    void raiseNextSibling(qint32 pid);

private:
    // Shows the Space of the window when the display does not show it.
    void showSpaceOf(quint32 number);
    struct PendingFront {
        qint32 pid = 0;
        quint32 window = 0;
        int recordsSeen = 0;
    };

    // Raises the next burst of `rest` behind `anchor` after `delayMs`, while
    // this activation is the last one and its application stays in front.
    void raiseLater(qint32 pid, quint64 activation, quint32 anchor, QList<quint32> rest, qint64 delayMs);

    SimDesktopParts &m_parts;
    quint64 m_activations = 0;
    std::optional<PendingFront> m_pendingFront;
};

} // namespace Velmora::Sim
