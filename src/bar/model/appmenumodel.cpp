#include "bar/model/appmenumodel.h"

#include "bar/model/baractions.h"
#include "platform/workspace.h"
#include "store/taskbarstore.h"

namespace Velmora {

namespace {

const QString finderBundleIdentifier = QStringLiteral("com.apple.finder");

bool sameCommands(const QList<ApplicationMenuAction> &a, const QList<ApplicationMenuAction> &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a.at(i).kind != b.at(i).kind || a.at(i).isEnabled != b.at(i).isEnabled)
            return false;
    }
    return true;
}

} // namespace

AppMenuModel::AppMenuModel(TaskbarStore &store, BarActions &actions, const AppItem &app, quint32 displayID)
    : m_store(store)
    , m_actions(actions)
    , m_app(app)
    , m_displayID(displayID)
{
    if (m_app.bundleIdentifier && !m_app.bundleIdentifier->isEmpty()) {
        const QList<RunningApplication> running
            = m_store.environment().workspace.runningApplications(*m_app.bundleIdentifier);
        if (!running.isEmpty())
            m_running = running.first();
    }
    build();
}

void AppMenuModel::appendEntry(const QString &title, const QString &symbol, std::function<void()> action)
{
    m_entries.append({ AppMenuEntry::Kind::Item, title, symbol, true, std::move(action), {} });
}

void AppMenuModel::build()
{
    BarActions &actions = m_actions;
    TaskbarStore &store = m_store;
    const AppItem app = m_app;

    if (m_app.id == AppItem::taskManagerID) {
        appendEntry(QStringLiteral("Open Task Manager"), QStringLiteral("waveform.path.ecg"),
                    [&actions, app] { actions.open(app); });
        appendEntry(QStringLiteral("Close Task Manager"), QStringLiteral("xmark.circle"),
                    [&actions] { actions.closeTaskManager(); });
        return;
    }

    if (!m_running) {
        appendEntry(QStringLiteral("Open ") + m_app.name, QStringLiteral("arrow.up.forward.app"),
                    [&actions, app] { actions.open(app); });
        m_entries.append(AppMenuEntry::separator());
        m_entries.append(optionsEntry());
        return;
    }

    const RunningApplication running = *m_running;
    appendWindows();

    m_commandsStart = m_entries.size();
    m_commands = store.menuActions().applicationMenuActions(running);
    const QList<AppMenuEntry> commands = commandEntries(m_commands);
    m_commandsCount = commands.size();
    m_entries.append(commands);
    m_needsCommandRefresh = store.menuActions().applicationMenuActionsNeedRefresh(running);

    const bool isFinder = m_app.bundleIdentifier == finderBundleIdentifier;
    if (isFinder) {
        const QList<FinderFavorite> favourites = store.finderFavorites();
        for (const FinderFavorite &favourite : favourites) {
            const QUrl url = favourite.url;
            appendEntry(favourite.name, QStringLiteral("folder"), [&store, &actions, url] {
                store.flyouts().dismissFlyouts();
                actions.openUrl(url);
            });
        }
        if (!favourites.isEmpty())
            m_entries.append(AppMenuEntry::separator());
    } else {
        m_entries.append(optionsEntry());
        m_entries.append(AppMenuEntry::separator());
    }

    const quint32 displayID = m_displayID;
    appendEntry(QStringLiteral("Show All Windows"), QStringLiteral("rectangle.3.group"),
                [&store, &actions, app, running, displayID] {
                    actions.hide();
                    store.flyouts().dismissFlyouts();
                    actions.showAllWindows(app, running, displayID);
                });
    appendEntry(QStringLiteral("Hide"), QStringLiteral("eye.slash"),
                [&actions, running] { actions.hideApplication(running); });
    if (isFinder) {
        m_entries.append(AppMenuEntry::separator());
        m_entries.append(optionsEntry());
    } else {
        appendEntry(QStringLiteral("Quit"), QStringLiteral("xmark.circle"),
                    [&actions, running] { actions.terminateApplication(running); });
    }
}

void AppMenuModel::appendWindows()
{
    m_windowsStart = m_entries.size();
    const std::optional<QList<WindowPreviewItem>> known = m_store.windowPreviewCache().knownWindowPreviews(*m_running);
    m_awaitsWindows = !known;
    if (known)
        m_entries.append(windowEntries(m_store.windowPicker().orderedWindowPreviews(*known)));
}

void AppMenuModel::awaitWindows(QObject *menu, std::function<void(const Replacement &)> added)
{
    if (!m_awaitsWindows || !m_running)
        return;
    m_store.windowPreviewCache().whenListed(
        *m_running, menu, [this, added = std::move(added)](const QList<WindowPreviewItem> &listed) {
            if (const std::optional<Replacement> replacement = applyWindows(listed))
                added(*replacement);
        });
}

std::optional<AppMenuModel::Replacement> AppMenuModel::applyWindows(const QList<WindowPreviewItem> &previews)
{
    if (!m_awaitsWindows)
        return std::nullopt;
    m_awaitsWindows = false;
    const QList<AppMenuEntry> entries = windowEntries(m_store.windowPicker().orderedWindowPreviews(previews));
    if (entries.isEmpty())
        return std::nullopt;
    for (qsizetype i = 0; i < entries.size(); ++i)
        m_entries.insert(m_windowsStart + i, entries.at(i));
    m_commandsStart += entries.size();
    return Replacement { m_windowsStart, 0, entries };
}

QList<AppMenuEntry> AppMenuModel::windowEntries(const QList<WindowPreviewItem> &previews) const
{
    QList<AppMenuEntry> entries;
    TaskbarStore &store = m_store;
    BarActions &actions = m_actions;
    for (const WindowPreviewItem &preview : previews) {
        const QString title = actions.customWindowName(preview).value_or(preview.title);
        const QString symbol = preview.isMain && !preview.isMinimized ? QStringLiteral("checkmark")
                                                                       : QStringLiteral("macwindow");
        entries.append({ AppMenuEntry::Kind::Item, title, symbol, true, [&store, &actions, preview] {
            // The window's process may have ended since the menu opened.
            const std::optional<RunningApplication> owner
                = store.environment().workspace.application(preview.processIdentifier);
            if (!owner || owner->isTerminated)
                return;
            store.windowPicker().dismissWindowPicker();
            actions.focusWindow(preview, *owner);
        }, {} });
    }
    if (!entries.isEmpty())
        entries.append(AppMenuEntry::separator());
    return entries;
}

QList<AppMenuEntry> AppMenuModel::commandEntries(const QList<ApplicationMenuAction> &commands) const
{
    QList<AppMenuEntry> entries;
    if (commands.isEmpty() || !m_running)
        return entries;
    BarActions &actions = m_actions;
    const RunningApplication running = *m_running;
    for (const ApplicationMenuAction &command : commands) {
        entries.append({ AppMenuEntry::Kind::Item, command.title, commandSymbol(command.kind), command.isEnabled,
                         [&actions, command, running] {
                             actions.hide();
                             actions.performMenuAction(command, running);
                         },
                         {} });
    }
    entries.append(AppMenuEntry::separator());
    return entries;
}

AppMenuEntry AppMenuModel::optionsEntry() const
{
    TaskbarStore &store = m_store;
    BarActions &actions = m_actions;
    const AppItem app = m_app;
    AppMenuEntry options { AppMenuEntry::Kind::Submenu, QStringLiteral("Options"), QStringLiteral("gearshape"),
                           true, {}, {} };
    if (store.isPinned(app))
        options.submenu.append({ AppMenuEntry::Kind::Item, QStringLiteral("Unpin from taskbar"),
                                 QStringLiteral("pin.slash"), true, [&store, app] { store.unpin(app); }, {} });
    else
        options.submenu.append({ AppMenuEntry::Kind::Item, QStringLiteral("Pin to taskbar"), QStringLiteral("pin"),
                                 true, [&store, app] { store.pin(app); }, {} });
    options.submenu.append({ AppMenuEntry::Kind::Item, QStringLiteral("Show in Finder"), QStringLiteral("folder"), true,
                             [&actions, app] { actions.revealApplicationInFinder(app); }, {} });
    return options;
}

void AppMenuModel::refreshCommands(QObject *menu, std::function<void(const Replacement &)> replaced)
{
    if (!m_needsCommandRefresh || !m_running)
        return;
    m_store.menuActions().refreshApplicationMenuActions(
        *m_running, menu, [this, replaced = std::move(replaced)](const QList<ApplicationMenuAction> &fresh) {
            if (const std::optional<Replacement> replacement = applyCommands(fresh))
                replaced(*replacement);
        });
}

std::optional<AppMenuModel::Replacement> AppMenuModel::applyCommands(const QList<ApplicationMenuAction> &fresh)
{
    if (sameCommands(fresh, m_commands))
        return std::nullopt;
    Replacement replacement { m_commandsStart, m_commandsCount, commandEntries(fresh) };
    m_entries.remove(m_commandsStart, m_commandsCount);
    for (qsizetype i = 0; i < replacement.inserted.size(); ++i)
        m_entries.insert(m_commandsStart + i, replacement.inserted.at(i));
    m_commands = fresh;
    m_commandsCount = replacement.inserted.size();
    return replacement;
}

QString AppMenuModel::commandSymbol(ApplicationMenuAction::Kind kind)
{
    using Kind = ApplicationMenuAction::Kind;
    switch (kind) {
    case Kind::newWindow:
    case Kind::newFinderWindow:
        return QStringLiteral("macwindow.badge.plus");
    case Kind::newPrivateWindow:
        return QStringLiteral("eye.slash");
    case Kind::newSmartFolder:
    case Kind::newProject:
        return QStringLiteral("folder.badge.plus");
    case Kind::find:
        return QStringLiteral("magnifyingglass");
    case Kind::goToFolder:
        return QStringLiteral("folder");
    case Kind::connectToServer:
        return QStringLiteral("network");
    case Kind::newDocument:
        return QStringLiteral("doc.badge.plus");
    case Kind::newMessage:
        return QStringLiteral("square.and.pencil");
    case Kind::newEvent:
        return QStringLiteral("calendar.badge.plus");
    case Kind::newNote:
        return QStringLiteral("note.text.badge.plus");
    }
    return {};
}

QList<AppMenuEntry> AppMenuModel::barMenu(TaskbarStore &store, BarActions &actions)
{
    return { { AppMenuEntry::Kind::Item, QStringLiteral("Open Task Manager"), {}, true,
               [&store, &actions] {
                   store.flyouts().dismissFlyouts();
                   actions.presentTaskManager();
               },
               {} } };
}

} // namespace Velmora
