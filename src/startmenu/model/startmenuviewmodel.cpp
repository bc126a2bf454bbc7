#include "startmenu/model/startmenuviewmodel.h"

#include "platform/displays.h"
#include "platform/workspace.h"
#include "startmenu/model/appsections.h"
#include "startmenu/model/startmenulayout.h"
#include "store/taskbarstore.h"

#include <QSet>

namespace Velmora {

namespace {

// Tiles slide into a new order, and settle when a drop ends the drag.
Motion reorderMotion()
{
    return Motion::easeInOut(160, Motion::Kind::Movement);
}

Motion dropMotion()
{
    return Motion::easeOut(140, Motion::Kind::Movement);
}

} // namespace

StartMenuViewModel::StartMenuViewModel(Environment environment, StartMenuMode mode, quint32 displayID,
                                       QObject *parent)
    : ViewModel(environment.scheduler, parent)
    , m_env(environment)
    , m_mode(mode)
    , m_displayID(displayID)
{
    TaskbarStore &store = m_env.store;
    follow(&store, &TaskbarStore::searchTextChanged, Search | Results);
    follow(&store, &TaskbarStore::installedAppsChanged, Results | Recents);
    follow(&store, &TaskbarStore::startPinnedAppsChanged, Pins);
    follow(&store, &TaskbarStore::recentAppIdentifiersChanged, Recents);
    follow(&store, &TaskbarStore::runningAppsChanged, Recents);
    follow(&store, &TaskbarStore::finderFavoritesChanged, Favourites);
    follow(&m_env.displays, &Displays::screensChanged, Height);
    connect(&store, &TaskbarStore::searchTextChanged, this, [this] { m_resultsStale = true; });
    connect(&store, &TaskbarStore::installedAppsChanged, this, [this] { m_resultsStale = true; });
    connect(&store.flyouts(), &Flyouts::isStartMenuPresentedChanged, this, &StartMenuViewModel::presentedChanged);
    connect(&store.flyouts(), &Flyouts::presentedDisplayIDChanged, this, &StartMenuViewModel::presentedChanged);
    m_wasPresented = isPresented();
}

StartMenuViewModel::~StartMenuViewModel() = default;

bool StartMenuViewModel::isPresented() const
{
    const Flyouts &flyouts = m_env.store.flyouts();
    return flyouts.isStartMenuPresented() && flyouts.presentedDisplayID() == m_displayID;
}

void StartMenuViewModel::presentedChanged()
{
    const bool presented = isPresented();
    if (presented == m_wasPresented)
        return;
    m_wasPresented = presented;
    if (!presented) {
        // The next opening starts from the full list; a drag the close
        // interrupted commits nothing.
        m_env.store.setSearchText(QString());
        if (m_drag.session()) {
            m_drag.cancel();
            setDragMotion({});
            invalidate(Drag | Pins);
        }
    }
    invalidate(Presented);
}

qreal StartMenuViewModel::menuHeight() const
{
    return StartMenuLayout::menuHeight(m_displayID, m_env.displays.screens());
}

QString StartMenuViewModel::searchText() const
{
    return m_env.store.searchText();
}

void StartMenuViewModel::setSearchText(const QString &text)
{
    m_env.store.setSearchText(text);
}

void StartMenuViewModel::escape()
{
    m_env.store.flyouts().dismissFlyouts();
}

const QList<AppSection> &StartMenuViewModel::sections() const
{
    if (m_resultsStale) {
        m_sections = m_env.sections.sections(m_env.store.searchResults());
        m_resultsStale = false;
    }
    return m_sections;
}

QList<AppItem> StartMenuViewModel::pinnedApps() const
{
    return m_drag.displayedApps(m_env.store.startPinnedApps());
}

QList<AppItem> StartMenuViewModel::recentApps() const
{
    QList<AppItem> recents;
    QSet<QString> seen;
    for (AppItem &app : m_env.store.recentApps()) {
        if (!seen.contains(app.id)) {
            seen.insert(app.id);
            recents.append(std::move(app));
        }
    }
    return recents;
}

QList<FinderFavorite> StartMenuViewModel::favourites() const
{
    return m_env.store.finderFavorites();
}

void StartMenuViewModel::open(const AppItem &app)
{
    m_env.store.clicks().open(app);
}

QList<StartAppMenu::Entry> StartMenuViewModel::menuEntries(const AppItem &app) const
{
    return StartAppMenu::entries(m_env.store, app);
}

void StartMenuViewModel::perform(const AppItem &app, StartAppMenu::Command command)
{
    StartAppMenu::perform(m_env.store, app, command);
}

void StartMenuViewModel::openFavourite(const FinderFavorite &favourite)
{
    m_env.store.flyouts().dismissFlyouts();
    m_env.workspace.openUrl(favourite.url);
}

void StartMenuViewModel::setPinnedGridWidth(qreal width)
{
    m_drag.setGridWidth(width);
}

void StartMenuViewModel::setPinnedCellHeight(qreal height)
{
    m_drag.setCellHeight(height);
}

void StartMenuViewModel::pressTile(const AppItem &)
{
    // A drag still held here lost its release: it ends uncommitted, and
    // this press may start its own.
    cancelTileDrag();
}

void StartMenuViewModel::dragTile(const AppItem &app, QPointF translation)
{
    const bool started = !m_drag.session();
    switch (m_drag.change(app, translation, m_env.store.startPinnedApps())) {
    case PinnedGridDrag::Move::None:
        return;
    case PinnedGridDrag::Move::Follow:
        setDragMotion({});
        invalidate(started ? Drag | Pins : Drag);
        return;
    case PinnedGridDrag::Move::Reorder:
        setDragMotion(reorderMotion());
        invalidate(Drag | Pins);
        return;
    }
}

void StartMenuViewModel::releaseTile(const AppItem &app, QPointF translation)
{
    const bool hadDrag = m_drag.session().has_value();
    const PinnedGridDrag::Release release = m_drag.end(app, translation);
    switch (release.kind) {
    case PinnedGridDrag::Release::Kind::Nothing:
        return;
    case PinnedGridDrag::Release::Kind::Open:
        if (hadDrag) {
            setDragMotion({});
            invalidate(Drag | Pins);
        }
        open(app);
        return;
    case PinnedGridDrag::Release::Kind::Commit:
        setDragMotion(dropMotion());
        invalidate(Drag | Pins);
        m_env.store.reorderStartPinnedApps(release.order);
        return;
    }
}

void StartMenuViewModel::cancelTileDrag()
{
    if (!m_drag.session())
        return;
    m_drag.cancel();
    setDragMotion(dropMotion());
    invalidate(Drag | Pins);
}

void StartMenuViewModel::setDragMotion(const Motion &motion)
{
    m_dragMotion = motion;
}

} // namespace Velmora
