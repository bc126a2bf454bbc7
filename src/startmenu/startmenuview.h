#pragma once

#include "app/model/englishspelling.h"
#include "startmenu/model/startmenuviewmodel.h"

#include <QWidget>

#include <memory>

class QScrollArea;

namespace Velmora {

class AnimatedValue;
class Animator;
class AppSections;
class Displays;
class FileIcons;
class Scheduler;
class StartAppList;
class StartMenuSearchField;
class StartMenuSidebar;
class TaskbarStore;
class Workspace;

// What a Start menu needs of the application.
struct StartMenuEnvironment
{
    TaskbarStore &store;
    const Displays &displays;
    Workspace &workspace;
    Scheduler &scheduler;
    Animator &animator;
    FileIcons &icons;
    // The section memo every display's menu shares.
    AppSections &sections;
    EnglishSpelling::Variant spelling = EnglishSpelling::current();
};

// The Start menu of one display, the content of the popover above its
// Start button: 680 points wide and as high as the display allows. On the
// left the search row over every installed app in letter sections (or the
// apps matching the search, or "No apps found"); a hairline; on the right
// the sidebar of pinned apps, recent apps and favourite folders. Escape
// closes every flyout. It paints from its StartMenuViewModel and hands every
// click to it.
class StartMenuView : public QWidget
{
    Q_OBJECT
public:
    static constexpr qint64 switchFadeMs = 150;

    StartMenuView(StartMenuEnvironment environment, StartMenuMode mode, quint32 displayID, QWidget *parent = nullptr);
    ~StartMenuView() override;

    StartMenuViewModel &model() const { return *m_model; }
    StartMenuSearchField *searchField() const { return m_search; }
    StartAppList *appList() const { return m_list; }
    QScrollArea *listArea() const { return m_listArea; }
    StartMenuSidebar *sidebar() const { return m_sidebar; }
    // Whether "No apps found" is shown in place of the list.
    bool showsNoApps() const { return m_showsNoApps; }
    // How much of the list (1) or of "No apps found" (0) shows now.
    qreal listOpacity() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void apply(ViewModel::Changes changes);
    void layOut();
    void syncList();
    QRect listAreaRect() const;

    StartMenuEnvironment m_env;
    std::unique_ptr<StartMenuViewModel> m_model;
    StartMenuSearchField *m_search = nullptr;
    QScrollArea *m_listArea = nullptr;
    StartAppList *m_list = nullptr;
    QScrollArea *m_sidebarArea = nullptr;
    StartMenuSidebar *m_sidebar = nullptr;
    bool m_showsNoApps = false;
    std::unique_ptr<AnimatedValue> m_listPresence;
};

} // namespace Velmora
