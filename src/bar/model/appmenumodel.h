#pragma once

#include "platform/runningapplication.h"
#include "services/applicationmenuaction.h"
#include "store/appitem.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

namespace Velmora {

class BarActions;
class TaskbarStore;
struct WindowPreviewItem;

// One entry of a bar context menu, as the menu will show it.
struct AppMenuEntry
{
    enum class Kind { Item, Separator, Submenu };

    Kind kind = Kind::Item;
    QString title;
    // The system symbol shown beside the title; empty for none.
    QString symbol;
    bool isEnabled = true;
    std::function<void()> action;
    QList<AppMenuEntry> submenu;

    static AppMenuEntry separator() { return { Kind::Separator, {}, {}, true, {}, {} }; }
};

// What the right-click menu of one app's button holds, built afresh each time
// it opens: the app's windows, the commands its own menu bar offers, its
// options, and what can be done to the app as a whole. The menu stays in step
// with the app's commands while it is open: when they are rediscovered and
// differ in kind or in being enabled, the command entries are replaced in
// place. An application that does not list its windows at once gets them
// added in front when they arrive.
class AppMenuModel
{
public:
    // The command entries, when a refresh replaced them: `removed` entries
    // from `start` on made way for `inserted`.
    struct Replacement
    {
        qsizetype start = 0;
        qsizetype removed = 0;
        QList<AppMenuEntry> inserted;
    };

    AppMenuModel(TaskbarStore &store, BarActions &actions, const AppItem &app, quint32 displayID);

    const QList<AppMenuEntry> &entries() const { return m_entries; }
    const AppItem &app() const { return m_app; }
    // The running application behind the button; none for an app without a
    // bundle identifier.
    const std::optional<RunningApplication> &runningApplication() const { return m_running; }

    // Whether the commands shown may be incomplete and are worth asking again for.
    bool needsCommandRefresh() const { return m_needsCommandRefresh; }
    // Rediscovers the commands; `replaced` runs on the main thread, while
    // `menu` lives, when the entries changed. Nothing when no refresh is needed.
    void refreshCommands(QObject *menu, std::function<void(const Replacement &)> replaced);
    // Applies a fresh list of commands: nothing when the kinds and their
    // enabled states are as before (titles are not compared).
    std::optional<Replacement> applyCommands(const QList<ApplicationMenuAction> &actions);

    // Whether the windows were not known when the menu was built.
    bool awaitsWindows() const { return m_awaitsWindows; }
    // Adds the windows once the background listing brings them; `added`
    // runs on the main thread, while `menu` lives, when there are any.
    void awaitWindows(QObject *menu, std::function<void(const Replacement &)> added);
    // Puts the windows, when there are any, in front of the commands.
    std::optional<Replacement> applyWindows(const QList<WindowPreviewItem> &previews);

    // The entries for a list of commands, with the separator after them; none for none.
    QList<AppMenuEntry> commandEntries(const QList<ApplicationMenuAction> &actions) const;
    // The "Options" submenu of pin and reveal. Every app's menu has it, the
    // product's own buttons too, so each menu reads the same; what an item
    // cannot do for an app without a bundle does nothing.
    AppMenuEntry optionsEntry() const;

    // The symbol of a command's kind.
    static QString commandSymbol(ApplicationMenuAction::Kind kind);
    // The menu of the empty parts of the bar.
    static QList<AppMenuEntry> barMenu(TaskbarStore &store, BarActions &actions);

private:
    void build();
    void appendWindows();
    // The entries for the windows (display order), with the separator after them; none for none.
    QList<AppMenuEntry> windowEntries(const QList<WindowPreviewItem> &previews) const;
    void appendEntry(const QString &title, const QString &symbol, std::function<void()> action);

    TaskbarStore &m_store;
    BarActions &m_actions;
    AppItem m_app;
    quint32 m_displayID;
    std::optional<RunningApplication> m_running;
    QList<AppMenuEntry> m_entries;
    // The command entries' place and the list they show.
    qsizetype m_commandsStart = 0;
    qsizetype m_commandsCount = 0;
    QList<ApplicationMenuAction> m_commands;
    bool m_needsCommandRefresh = false;
    // Where the windows go (before the commands) and whether they are awaited.
    qsizetype m_windowsStart = 0;
    bool m_awaitsWindows = false;
};

} // namespace Velmora
