#pragma once

#include "app/model/englishspelling.h"
#include "bar/model/motion.h"
#include "viewmodel/viewmodel.h"
#include "startmenu/model/appsection.h"
#include "startmenu/model/pinnedgriddrag.h"
#include "startmenu/model/startappmenu.h"
#include "store/finderfavorite.h"

#include <QPointF>

namespace Velmora {

class AppSections;
class Displays;
class Scheduler;
class TaskbarStore;
class Workspace;

enum class StartMenuMode {
    Start,  // opened by the Start button: the search field waits for a click
    Search, // the search field takes the keyboard as the menu appears
};

// The Start menu of one display without a single widget: the search text,
// the app list's letter sections (from the section memo every display
// shares), the menu's height above this display's bar, the sidebar's pins,
// recent apps and favourites, the pinned grid's drag, and what each click
// does. Everything goes through the store; the view keeps only what it shows.
class StartMenuViewModel : public ViewModel
{
    Q_OBJECT
public:
    enum Change : Changes {
        Search = 1 << 0,     // the search text (and the clear button)
        Results = 1 << 1,    // the app list
        Height = 1 << 2,     // the menu's height
        Pins = 1 << 3,       // the pinned grid's tiles
        Drag = 1 << 4,       // a drag moved tiles
        Recents = 1 << 5,    // Recent Apps
        Favourites = 1 << 6, // the favourite folders
        Presented = 1 << 7,  // the menu opened or closed
    };

    struct Environment
    {
        TaskbarStore &store;
        const Displays &displays;
        Workspace &workspace;
        Scheduler &scheduler;
        // The section memo every display's menu shares.
        AppSections &sections;
        EnglishSpelling::Variant spelling = EnglishSpelling::current();
    };

    StartMenuViewModel(Environment environment, StartMenuMode mode, quint32 displayID, QObject *parent = nullptr);
    ~StartMenuViewModel() override;

    StartMenuMode mode() const { return m_mode; }
    quint32 displayID() const { return m_displayID; }
    TaskbarStore &store() const { return m_env.store; }
    EnglishSpelling::Variant spelling() const { return m_env.spelling; }

    // Whether the menu is open, on this display.
    bool isPresented() const;
    qreal menuHeight() const;

    // Search.
    QString searchText() const;
    void setSearchText(const QString &text);
    // The clear button shows for any text, spaces included.
    bool showsClearButton() const { return !searchText().isEmpty(); }
    void clearSearch() { setSearchText(QString()); }
    // Escape: every flyout closes, this menu among them.
    void escape();

    // The app list.
    const QList<AppSection> &sections() const;
    bool showsNoApps() const { return sections().isEmpty(); }

    // The sidebar.
    QList<AppItem> pinnedApps() const;
    // Recent apps, each id once.
    QList<AppItem> recentApps() const;
    QList<FinderFavorite> favourites() const;

    // Clicks.
    void open(const AppItem &app);
    QList<StartAppMenu::Entry> menuEntries(const AppItem &app) const;
    void perform(const AppItem &app, StartAppMenu::Command command);
    // Closes every flyout first, then opens the folder.
    void openFavourite(const FinderFavorite &favourite);

    // The pinned grid: what it measured, and its tiles' presses.
    void setPinnedGridWidth(qreal width);
    void setPinnedCellHeight(qreal height);
    void pressTile(const AppItem &app);
    void dragTile(const AppItem &app, QPointF translation);
    void releaseTile(const AppItem &app, QPointF translation);
    // The press's release will not come (the grab was lost, the tile went):
    // the drag ends and nothing is committed.
    void cancelTileDrag();
    const PinnedGridDrag &drag() const { return m_drag; }
    // How tiles move to the order just published.
    Motion dragMotion() const { return m_dragMotion; }

private:
    void presentedChanged();
    void setDragMotion(const Motion &motion);

    Environment m_env;
    const StartMenuMode m_mode;
    const quint32 m_displayID;
    bool m_wasPresented = false;
    PinnedGridDrag m_drag;
    Motion m_dragMotion;
    mutable bool m_resultsStale = true;
    mutable QList<AppSection> m_sections;
};

} // namespace Velmora
