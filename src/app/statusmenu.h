#pragma once

#include "app/model/statusmenumodel.h"
#include "platform/runningapplication.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <map>
#include <memory>
#include <optional>

class QAction;
class QMenu;
class QPoint;

namespace Velmora {

class Displays;
class StatusItem;
class Workspace;

// The status item and its menu. The menu is not attached to the item: each
// click pops it up by hand, so it can decide what to show, open exactly under
// the menu bar next to the pointer, and give the focus back to the
// application that was in front before the click when the menu is dismissed
// without a choice. Main thread only.
class StatusMenu : public QObject
{
    Q_OBJECT
public:
    using Command = StatusMenuModel::Command;

    struct Environment
    {
        StatusItem &item;
        const Displays &displays;
        Workspace &workspace;
        // The application that was frontmost before the click.
        std::function<std::optional<RunningApplication>()> frontmostAppBeforeClick;
        // Whether the onboarding window exists (open or behind other windows).
        std::function<bool()> hasOnboardingWindow;
        // What each command does. "Check for Updates…" is offered only when
        // its command is set when the menu is built.
        std::map<Command, std::function<void()>> commands;
        // Shows the menu with its top-left corner at `at` (Qt's global
        // coordinates) and returns the chosen action, or null when it was
        // dismissed; blocks until the menu closes. By default the menu's own loop.
        std::function<QAction *(QMenu &menu, const QPoint &at)> popUp = {};
    };

    explicit StatusMenu(Environment environment, QObject *parent = nullptr);
    ~StatusMenu() override;

    // Builds the item and the menu, once.
    void makeStatusItem();
    // The item's click: shows the menu.
    void statusItemClicked();

    QMenu *menu() const { return m_menu.get(); }
    QAction *action(Command command) const;

private:
    Environment m_env;
    std::unique_ptr<QMenu> m_menu;
    std::map<Command, QAction *> m_actions;
};

} // namespace Velmora
