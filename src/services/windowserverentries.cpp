#include "services/windowserverentries.h"

#include "platform/windowlist.h"

namespace Velmora {

QList<WindowServerEntries::Descriptor> WindowServerEntries::descriptors(const WindowList &windowList,
                                                                         qint32 processIdentifier)
{
    QList<Descriptor> result;
    const auto entries = windowList.copyWindowInfo(WindowList::AllExceptDesktop, WindowList::NoWindow);
    if (!entries)
        return result;

    qint64 index = -1;
    for (const WindowListEntry &entry : *entries) {
        ++index;
        if (entry.ownerPID() != processIdentifier || entry.layer() != 0)
            continue;
        const auto number = entry.number();
        const auto bounds = entry.bounds();
        if (!number || !bounds || !meetsMinimumSize(bounds->width(), bounds->height()))
            continue;
        result.append(Descriptor{*number, index, *bounds, entry.name(), entry.isOnscreen().value_or(false)});
    }
    return result;
}

QSet<quint32> WindowServerEntries::windowNumbers(const WindowList &windowList, qint32 processIdentifier)
{
    QSet<quint32> numbers;
    for (const Descriptor &d : descriptors(windowList, processIdentifier))
        numbers.insert(d.id);
    return numbers;
}

QHash<quint32, QString> WindowServerEntries::titles(const WindowList &windowList)
{
    QHash<quint32, QString> result;
    const auto entries = windowList.copyWindowInfo(WindowList::AllExceptDesktop, WindowList::NoWindow);
    if (!entries)
        return result;
    for (const WindowListEntry &entry : *entries) {
        const auto number = entry.number();
        const auto name = entry.name();
        if (number && name)
            result.insert(*number, *name);
    }
    return result;
}

} // namespace Velmora
