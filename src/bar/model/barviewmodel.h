#pragma once

#include "bar/model/barlayout.h"
#include "bar/model/flyoutpress.h"
#include "bar/model/instantpopoverpresenter.h"
#include "bar/model/motion.h"
#include "viewmodel/viewmodel.h"
#include "bar/model/windowpickerpresenters.h"
#include "platform/runningapplication.h"
#include "store/taskbaroverflow.h"
#include "store/taskbaroverflowmodel.h"
#include "store/taskbarreordersession.h"

#include <QHash>
#include <QPointF>

#include <optional>

namespace Velmora {

class Animator;
class AppButtonModel;
class BarActions;
class TaskbarStore;

// The bar of one display without a single widget: which buttons it shows and
// where, which apps go behind "Show more apps", which app is kept on the bar
// because it was brought forward last, and what presses, drags and clicks on
// its buttons do. Every decision about apps, flyouts and windows is a call on
// the store (or on BarActions for what the store does not publish).
//
// A press on a button whose flyout can open (the Start menu, the overflow
// list, an app's window picker) opens the flyout's state in the store at
// mouse-down but holds the popover back until the release; a press that is
// the click that just closed a popover opens nothing; an app button that
// moves 5 points starts a reorder, and one that has moved 8 points at any
// time during the press ends as a drag that commits the new order.
class BarViewModel : public ViewModel
{
    Q_OBJECT
public:
    enum Change : Changes {
        // Where the buttons are: widths, alignment, which buttons are shown.
        Layout = 1 << 0,
        // Which apps are shown as buttons (and the overflow list).
        Apps = 1 << 1,
        // Which flyout is open above this bar (the buttons' active looks).
        FlyoutState = 1 << 2,
        // A drag moved the buttons.
        Reorder = 1 << 3,
    };

    // A press moving this far starts a reorder (and gives up a prepared picker).
    static constexpr qreal reorderDistance = 5;
    // A press that has moved this far at any time ends as a drag.
    static constexpr qreal dragDistance = 8;
    // Smaller changes of a drag's translation are not stored.
    static constexpr qreal translationThreshold = 0.5;
    // How long the picker's popover takes to open after the release.
    static constexpr qint64 pickerOpenAnimationMs = 450;

    BarViewModel(TaskbarStore &store, BarActions &actions, Animator &animator, quint32 displayID,
                 QObject *parent = nullptr);
    ~BarViewModel() override;

    quint32 displayID() const { return m_displayID; }
    TaskbarStore &store() const { return m_store; }
    BarActions &actions() const { return m_actions; }
    Animator &animator() const { return m_animator; }

    // What the bar measured of itself (its full width, padding included) and of its tray.
    void setBarWidth(qreal width);
    qreal barWidth() const { return m_barWidth; }
    void setTrayWidth(qreal width);
    qreal trayWidth() const { return m_trayWidth; }

    // The number of app buttons that fit; unbounded before the bar is measured.
    qsizetype appSlotCapacity() const;
    // The store's apps split into those on the bar and those behind "Show more apps".
    TaskbarOverflow::Split split() const;
    // The apps shown as buttons: the reorder's working list during a drag,
    // else the visible part of the split.
    QList<AppItem> displayedTaskbarApps() const;
    bool showsOverflowButton() const;
    BarLayout layout() const;
    // Where the button of `appID` is drawn now: its slot, moved by the drag.
    std::optional<QRectF> appButtonRect(const QString &appID) const;
    // Every shown app's button rectangle by app id, as appButtonRect gives each.
    QHash<QString, QRectF> appButtonRects() const;
    // How the buttons should move to the layout just published.
    Motion layoutMotion() const { return m_layoutMotion; }

    // The state of each shown app's button, kept per id while the app is on the bar.
    AppButtonModel *appButton(const QString &appID) const { return m_buttons.value(appID); }
    TaskbarOverflowModel &overflow() { return m_overflow; }

    // The app kept on the bar even when it would fall into the overflow.
    const std::optional<QString> &promotedID() const { return m_promotedID; }
    // `application` was brought forward: its bar item, if it has one, is promoted.
    void promote(const std::optional<RunningApplication> &application);
    // The bar appears: the frontmost application is promoted and the overflow
    // list filled.
    void shown();

    bool isStartMenuOpen() const;
    bool isOverflowOpen() const;
    bool isWindowPickerOpen(const QString &appID) const;

    InstantPopoverPresenter &startMenuPresenter() { return m_startMenuPresenter; }
    InstantPopoverPresenter &overflowPresenter() { return m_overflowPresenter; }
    InstantPopoverPresenter &pickerPresenter(const QString &appID) { return m_pickerPresenters.presenter(appID); }

    // The Start and overflow buttons: mouse-down, the release that ends it,
    // and the plain action (a click by other means than the mouse).
    void pressStartButton();
    void releaseStartButton(bool inside);
    void toggleStartMenu();
    void pressOverflowButton();
    void releaseOverflowButton(bool inside);
    void toggleOverflow();
    // The Search button.
    void search();
    // A choice in the overflow list.
    void chooseOverflowApp(const AppItem &app);

    // App buttons. The first change of a press is its mouse-down; the
    // translation is the pointer's movement since then.
    FlyoutPress pressAppButton(const AppItem &app);
    void appDragChanged(const AppItem &app, const QPointF &translation);
    void appDragEnded(const AppItem &app, const QPointF &translation);
    // The press ended without its release reaching the button.
    void appPressCancelled();
    // The pointer entered or left an app button.
    void hoverAppButton(const QString &appID, bool entered);

    const std::optional<TaskbarReorderSession> &reorder() const { return m_reorder; }
    const std::optional<AppPress> &appPress() const { return m_appPress; }
    const std::optional<FlyoutPress> &flyoutPress() const { return m_flyoutPress; }

protected:
    void refresh(Changes changes) override;

private:
    void pressFlyoutButton(bool wasOpen, InstantPopoverPresenter &presenter, void (BarViewModel::*open)());
    void releaseFlyoutButton(bool inside, void (BarViewModel::*toggle)());
    void toggleFlyout(void (BarViewModel::*open)(), bool (BarViewModel::*isOpen)() const,
                      InstantPopoverPresenter &presenter);
    void openStartMenu();
    void openOverflow();
    void setReorder(std::optional<TaskbarReorderSession> session, const Motion &motion);
    void syncButtons();
    void setLayoutMotion(const Motion &motion);

    TaskbarStore &m_store;
    BarActions &m_actions;
    Animator &m_animator;
    const quint32 m_displayID;

    qreal m_barWidth = 0;
    qreal m_trayWidth = 0;
    std::optional<QString> m_promotedID;
    std::optional<TaskbarReorderSession> m_reorder;
    std::optional<FlyoutPress> m_flyoutPress;
    std::optional<AppPress> m_appPress;
    bool m_isShown = false;
    QStringList m_displayedIDs;
    Motion m_layoutMotion;
    // The motion the next published layout asks for; a spring when only the
    // set of shown apps changed.
    std::optional<Motion> m_nextMotion;

    InstantPopoverPresenter m_startMenuPresenter;
    InstantPopoverPresenter m_overflowPresenter;
    WindowPickerPresenters m_pickerPresenters;
    TaskbarOverflowModel m_overflow;
    QHash<QString, AppButtonModel *> m_buttons;
};

} // namespace Velmora
