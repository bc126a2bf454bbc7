#pragma once

#include <QIcon>
#include <QString>

namespace Velmora::BarSymbols {

// The icon of a named system symbol as the bar's menus and buttons use them
// ("macwindow", "pin", "eye.slash", ...): the desktop theme's matching icon,
// or a symbol drawn in code for the few the bar's own buttons need
// ("magnifyingglass", "ellipsis", "gearshape", "xmark.circle"). An unknown
// name, or one the theme lacks, gives an empty icon: the entry shows text only.
QIcon icon(const QString &name);

} // namespace Velmora::BarSymbols
