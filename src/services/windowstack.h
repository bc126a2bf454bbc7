#pragma once

#include "platform/windowlist.h"
#include "platform/windowlistentry.h"
#include "services/minimizebuttonhittest.h"

#include <QList>
#include <QRectF>
#include <QSet>

#include <optional>

namespace Velmora {

// The window server's on-screen stack as the sibling-raise guard reads it:
// which normal window stands in front of which, and whose it is.
//
// Callable from any thread; every read asks the window server afresh.
class WindowStack
{
public:
    // One row of the on-screen stack.
    struct Entry
    {
        quint32 windowID = 0;
        qint32 processIdentifier = 0;
        friend bool operator==(const Entry &, const Entry &) = default;
    };

    explicit WindowStack(const WindowList &windowList);

    // Storage for reading the stack again and again: a watch that reads it
    // every few milliseconds allocates nothing for it once this has room.
    struct Reading
    {
        QList<WindowStackRow> read;
        QList<Entry> rows;
        void reserve(qsizetype count)
        {
            read.reserve(count);
            rows.reserve(count);
        }
    };
    // The current stack, read into `reading`.
    const QList<Entry> &readStack(Reading &reading) const;

    // The current stack.
    QList<Entry> entries() const;
    // The current stack with each window's bounds.
    QList<MinimizeButtonHitTest::WindowEntry> windowEntries() const;

    // The window server lists the window and says it is on screen.
    bool isOnScreen(quint32 windowID) const;
    // The window's bounds while it is on screen.
    std::optional<QRectF> frame(quint32 windowID) const;
    // The numbers of the process's windows in the current stack.
    QSet<quint32> windowIDs(qint32 processIdentifier) const;

    // Where `windowID` stands in `rows`; -1 when it is not there.
    static qsizetype indexOf(const QList<Entry> &rows, quint32 windowID);
    // In `rows`, a window of `siblings` stands in front of `windowID`; false
    // when the window is not in the rows or is their front.
    static bool isSibling(const QSet<quint32> &siblings, quint32 windowID, const QList<Entry> &rows);
    // Now, a window of `siblings` stands in front of `windowID`.
    bool isSiblingAbove(const QSet<quint32> &siblings, quint32 windowID) const;

private:
    const WindowList &m_windowList;
};

} // namespace Velmora
