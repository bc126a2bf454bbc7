#include "services/windowstack.h"

#include "platform/windowlist.h"

namespace Velmora {

WindowStack::WindowStack(const WindowList &windowList)
    : m_windowList(windowList)
{
}

const QList<WindowStack::Entry> &WindowStack::readStack(Reading &reading) const
{
    reading.rows.clear();
    m_windowList.copyOnScreenStack(reading.read);
    for (const WindowStackRow &row : std::as_const(reading.read)) {
        if (MinimizeButtonHitTest::isNormalSize(row.bounds))
            reading.rows.append(Entry { row.number, row.ownerPID });
    }
    return reading.rows;
}

QList<WindowStack::Entry> WindowStack::entries() const
{
    Reading reading;
    return readStack(reading);
}

QList<MinimizeButtonHitTest::WindowEntry> WindowStack::windowEntries() const
{
    return MinimizeButtonHitTest::windowEntries(
        m_windowList.copyWindowInfo(WindowList::OnScreenExceptDesktop, WindowList::NoWindow)
            .value_or(QList<WindowListEntry> {}));
}

bool WindowStack::isOnScreen(quint32 windowID) const
{
    const std::optional<QList<WindowListEntry>> list = m_windowList.copyWindowInfo(WindowList::OneWindow, windowID);
    return list && !list->isEmpty() && list->first().isOnscreen() == true;
}

std::optional<QRectF> WindowStack::frame(quint32 windowID) const
{
    const std::optional<QList<WindowListEntry>> list = m_windowList.copyWindowInfo(WindowList::OneWindow, windowID);
    if (!list || list->isEmpty() || list->first().isOnscreen() != true)
        return std::nullopt;
    return list->first().bounds();
}

QSet<quint32> WindowStack::windowIDs(qint32 processIdentifier) const
{
    QSet<quint32> numbers;
    for (const Entry &row : entries()) {
        if (row.processIdentifier == processIdentifier)
            numbers.insert(row.windowID);
    }
    return numbers;
}

qsizetype WindowStack::indexOf(const QList<Entry> &rows, quint32 windowID)
{
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (rows[i].windowID == windowID)
            return i;
    }
    return -1;
}

bool WindowStack::isSibling(const QSet<quint32> &siblings, quint32 windowID, const QList<Entry> &rows)
{
    const qsizetype index = indexOf(rows, windowID);
    for (qsizetype j = 0; j < index; ++j) {
        if (siblings.contains(rows[j].windowID))
            return true;
    }
    return false;
}

bool WindowStack::isSiblingAbove(const QSet<quint32> &siblings, quint32 windowID) const
{
    const std::optional<QList<WindowListEntry>> list
        = m_windowList.copyWindowInfo(WindowList::InFrontOfWindow, windowID);
    if (!list)
        return false;
    for (const WindowListEntry &entry : *list) {
        const std::optional<quint32> number = entry.number();
        if (number && siblings.contains(*number))
            return true;
    }
    return false;
}

} // namespace Velmora
