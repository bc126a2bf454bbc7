#pragma once

#include <QList>
#include <QStringList>

namespace Velmora::Test {

// The ids of the items (apps, window previews), in order: what most list
// checks compare.
template<typename Item>
QStringList ids(const QList<Item> &items)
{
    QStringList result;
    for (const Item &item : items)
        result << item.id;
    return result;
}

} // namespace Velmora::Test
