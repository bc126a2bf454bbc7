#include "store/taskbaroverflow.h"

#include <algorithm>

namespace Velmora {

TaskbarOverflow::Split TaskbarOverflow::split(
    const QList<AppItem> &apps, qsizetype capacity, const std::optional<QString> &promotedID)
{
    if (capacity >= apps.size())
        return { apps, {} };

    const qsizetype visibleCount = std::max<qsizetype>(capacity - 1, 0);
    Split result { apps.first(visibleCount), apps.sliced(visibleCount) };
    if (!promotedID || result.visible.isEmpty())
        return result;

    const auto promoted = std::find_if(
        result.overflow.cbegin(), result.overflow.cend(), [&](const AppItem &app) { return app.id == *promotedID; });
    if (promoted == result.overflow.cend())
        return result;
    const AppItem promotedApp = *promoted;
    result.overflow.erase(promoted);
    result.overflow.prepend(result.visible.takeLast());
    result.visible.append(promotedApp);
    return result;
}

} // namespace Velmora
