#pragma once

#include "store/appitem.h"

#include <optional>

namespace Velmora {

// Divides the bar's ordered apps into the buttons that fit and the ones that
// go behind the "Show more apps" button.
class TaskbarOverflow
{
public:
    struct Split
    {
        QList<AppItem> visible;
        QList<AppItem> overflow;
    };

    // `capacity` is the number of app slots that fit. When not every app fits,
    // one slot goes to the overflow button, and the promoted app (if it would
    // overflow) takes the last bar slot, pushing the app it displaces to the
    // front of the overflow list.
    static Split split(const QList<AppItem> &apps, qsizetype capacity, const std::optional<QString> &promotedID);

    TaskbarOverflow() = delete;
};

} // namespace Velmora
