#include "app/statusmenu.h"

#include "app/model/shellsymbols.h"
#include "platform/displays.h"
#include "platform/screencoordinates.h"
#include "platform/statusitem.h"
#include "platform/workspace.h"
#include "store/velmoraicon.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

namespace Velmora {

StatusMenu::StatusMenu(Environment environment, QObject *parent)
    : QObject(parent)
    , m_env(std::move(environment))
{
}

StatusMenu::~StatusMenu() = default;

QAction *StatusMenu::action(Command command) const
{
    const auto it = m_actions.find(command);
    return it == m_actions.end() ? nullptr : it->second;
}

void StatusMenu::makeStatusItem()
{
    if (m_menu)
        return;
    m_env.item.install(VelmoraIcon::menuBarImage(), VelmoraIcon::accessibilityDescription);
    connect(&m_env.item, &StatusItem::clicked, this, &StatusMenu::statusItemClicked);

    m_menu = std::make_unique<QMenu>();
    const bool hasUpdater = m_env.commands.contains(Command::CheckForUpdates)
        && bool(m_env.commands.at(Command::CheckForUpdates));
    for (const StatusMenuModel::Entry &entry : StatusMenuModel::entries(hasUpdater)) {
        if (entry.isSeparator) {
            m_menu->addSeparator();
            continue;
        }
        QAction *action = m_menu->addAction(ShellSymbols::icon(entry.symbol, m_menu->palette().color(QPalette::Text)), entry.title);
        if (!entry.keyEquivalent.isEmpty())
            action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
        const Command command = entry.command;
        connect(action, &QAction::triggered, this, [this, command] {
            const auto it = m_env.commands.find(command);
            if (it != m_env.commands.end() && it->second)
                it->second();
        });
        m_actions.emplace(command, action);
    }
}

void StatusMenu::statusItemClicked()
{
    if (!m_menu)
        return;
    const bool hasOnboardingWindow = m_env.hasOnboardingWindow && m_env.hasOnboardingWindow();
    for (const StatusMenuModel::Entry &entry : StatusMenuModel::entries(true)) {
        if (QAction *item = entry.isSeparator ? nullptr : action(entry.command))
            item->setVisible(StatusMenuModel::isShown(entry, hasOnboardingWindow));
    }

    const QList<DisplayInfo> screens = m_env.displays.screens();
    const QPointF topLeft
        = StatusMenuModel::menuTopLeft(screens, m_env.displays.mainScreen(), m_env.displays.pointerLocation());
    const ScreenCoordinates coordinates(screens.isEmpty() ? 0.0 : screens.first().frame.height());
    const QPoint at = coordinates.toGlobal(topLeft).toPoint();

    const std::optional<RunningApplication> remembered
        = m_env.frontmostAppBeforeClick ? m_env.frontmostAppBeforeClick() : std::nullopt;

    // The menu may run the chosen command (quit, restart) before it returns.
    const QPointer<StatusMenu> self(this);
    m_env.item.setHighlighted(true);
    QAction *chosen = m_env.popUp ? m_env.popUp(*m_menu, at) : m_menu->exec(at);
    if (!self)
        return;
    m_env.item.setHighlighted(false);

    if (chosen || !remembered)
        return;
    const std::optional<RunningApplication> now = m_env.workspace.application(remembered->processIdentifier);
    const bool stillRunning = now && !now->isTerminated && now->launchDateMs == remembered->launchDateMs;
    if (!stillRunning)
        return;
    const std::optional<RunningApplication> frontmost = m_env.workspace.frontmostApplication();
    if (frontmost && frontmost->processIdentifier == remembered->processIdentifier)
        return;
    m_env.workspace.activate(remembered->processIdentifier, 0);
}

} // namespace Velmora
