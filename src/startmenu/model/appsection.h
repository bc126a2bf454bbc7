#pragma once

#include "store/appitem.h"

#include <QList>
#include <QString>

namespace Velmora {

// One letter section of the Start menu's app list. `letter` is the header
// text and is unique within one list.
struct AppSection
{
    QString letter;
    QList<AppItem> apps;

    friend bool operator==(const AppSection &, const AppSection &) = default;
};

} // namespace Velmora
