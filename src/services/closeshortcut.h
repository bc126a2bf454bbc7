#pragma once

#include "platform/axelement.h"
#include "platform/axvalue.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace Velmora {

class Accessibility;
class WindowPreviewProvider;

// Whether Command-W in an application would close its focused window, read
// from the application's menu bar: only then may the taskbar press the
// window's close button itself. A Command-W that closes a tab, or anything
// else, is left to the application.
//
// Stateless; callable from any thread. Every read has a short time-out, so
// an application that does not answer costs the caller at most that.
class CloseShortcut
{
public:
    static constexpr double messagingTimeoutSeconds = 0.1;

    // The attributes read for every item of a searched menu, in this order.
    static const QStringList &menuItemAttributes();

    // The close button of the application's focused window when that window
    // is `windowID` and Command-W would close it; nothing otherwise.
    static std::optional<AXElement> closeButton(Accessibility &accessibility, WindowPreviewProvider &windows,
        quint32 windowID, qint32 processIdentifier);

    // The order in which the menu bar's menus are searched for Command-W:
    // menu 2 first (where applications keep Close), then menu 1, then the
    // rest in order. Menu 0 is the system's own and is never searched.
    static QList<int> menuSearchOrder(qsizetype menuCount);
    // The title of a menu item bound to Command-W alone and not disabled,
    // from its values of menuItemAttributes().
    static std::optional<QString> titleIfCommandW(const std::vector<AXValue> &values);
    // The title of the first such item in the application's menus.
    static std::optional<QString> shortcutMenuItemTitle(Accessibility &accessibility, const AXElement &application);
};

} // namespace Velmora
