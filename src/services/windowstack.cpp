#include "services/windowstack.h"

#include "platform/windowlist.h"

namespace Velmora {

namespace {

std::optional<MinimizeButtonHitTest::WindowEntry> normalWindow(const WindowListEntry &entry)
{
    return MinimizeButtonHitTest::windowEntry(entry);
}

} // namespace

WindowStack::WindowStack(const WindowList &windowList)
    : m_windowList(windowList)
{
}

QList<WindowStack::Entry> WindowStack::stackEntries(const QList<WindowListEntry> &list)
{
    QList<Entry> rows;
    rows.reserve(list.size());
    for (const WindowListEntry &entry : list) {
        if (const std::optional<MinimizeButtonHitTest::WindowEntry> window = normalWindow(entry))
            rows.append(Entry { window->windowID, window->processIdentifier });
    }
    return rows;
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

bool WindowStack::isSibling(const QSet<quint32> &siblings, quint32 windowID, const QList<Entry> &rows)
{
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (rows[i].windowID != windowID)
            continue;
        for (qsizetype j = 0; j < i; ++j) {
            if (siblings.contains(rows[j].windowID))
                return true;
        }
        return false;
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
