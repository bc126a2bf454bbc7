#pragma once

#include "platform/sim/simmenuitem.h"

namespace Velmora::Test {

// A menu item titled `title`; `command` is what pressing it does in the
// simulated application (see Sim::SimMenuItem).
inline Sim::SimMenuItem item(const QString &title, const QString &command = {}, bool enabled = true)
{
    Sim::SimMenuItem menuItem;
    menuItem.title = title;
    menuItem.command = command;
    menuItem.enabled = enabled;
    return menuItem;
}

// A menu item on a key shortcut: `character` with `modifiers` (0 for Command alone).
inline Sim::SimMenuItem shortcutItem(
    const QString &title, const QString &character, qint64 modifiers = 0, bool enabled = true)
{
    Sim::SimMenuItem shortcut = item(title, {}, enabled);
    shortcut.commandCharacter = character;
    shortcut.commandModifiers = modifiers;
    return shortcut;
}

// A menu bar item, such as "File", that opens `items`.
inline Sim::SimMenuItem menu(const QString &title, const QList<Sim::SimMenuItem> &items)
{
    Sim::SimMenuItem top = item(title);
    top.children = items;
    return top;
}

} // namespace Velmora::Test
