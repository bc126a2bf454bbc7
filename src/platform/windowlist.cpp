#include "platform/windowlist.h"

namespace Velmora {

WindowList::~WindowList() = default;

bool WindowList::copyOnScreenStack(QList<WindowStackRow> &rows) const
{
    rows.clear();
    const std::optional<QList<WindowListEntry>> list = copyWindowInfo(OnScreenExceptDesktop, NoWindow);
    if (!list)
        return false;
    for (const WindowListEntry &entry : *list) {
        if (entry.layer() != 0)
            continue;
        const std::optional<quint32> number = entry.number();
        const std::optional<qint32> owner = entry.ownerPID();
        const std::optional<QRectF> bounds = entry.bounds();
        if (number && owner && bounds)
            rows.append(WindowStackRow { *number, *owner, *bounds });
    }
    return true;
}

} // namespace Velmora
