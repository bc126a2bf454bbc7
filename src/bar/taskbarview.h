#pragma once

#include "bar/model/animator.h"
#include "bar/model/barviewmodel.h"
#include "bar/windowpickercontent.h"

#include <QHash>
#include <QPointer>
#include <QWidget>

#include <functional>

#include <memory>

namespace Velmora {

class AppTaskbarButton;
class ApplicationPopoverServices;
class BarActions;
class FileIcons;
class InstantPopover;
class SystemTrayView;
class TaskbarIconButton;
class TaskbarIconButtonModel;
class TaskbarStore;

// What one display's bar needs of the application.
struct TaskbarViewEnvironment
{
    // Makes the Start menu of a display, the content of the popover above
    // its Start button, once the bar has been drawn; without one the Start
    // button opens nothing.
    using StartMenuFactory = std::function<QWidget *(quint32 displayID)>;

    TaskbarStore &store;
    BarActions &actions;
    Animator &animator;
    FileIcons &icons;
    ApplicationPopoverServices &popovers;
    // What an app's picker popover shows; without one, the windows' titles.
    WindowPickerContent::Factory pickerContent = {};
    StartMenuFactory startMenu = {};
};

// The bar of one display, as its panel hosts it: the bar's background, the
// Start, Search and app buttons, "Show more apps", the tray's place and the
// bar's own context menu. It paints from its BarViewModel and hands every
// press to it; buttons are kept per app id and moved rather than rebuilt, so
// a change repaints only what it touched and an idle bar paints nothing.
class TaskbarView : public QWidget
{
    Q_OBJECT
public:
    TaskbarView(TaskbarViewEnvironment environment, quint32 displayID, QWidget *parent = nullptr);
    ~TaskbarView() override;

    quint32 displayID() const { return m_model->displayID(); }
    BarViewModel &model() const { return *m_model; }

    TaskbarIconButton *startButton() const { return m_start; }
    TaskbarIconButton *searchButton() const { return m_search; }
    TaskbarIconButton *overflowButton() const { return m_overflowButton; }
    AppTaskbarButton *appButton(const QString &appID) const;
    // The app buttons in the order they stand on the bar.
    QList<AppTaskbarButton *> appButtons() const;
    // The window picker's popover of an app, once its picker has been opened.
    InstantPopover *pickerPopover(const QString &appID) const;
    InstantPopover *overflowPopover() const { return m_overflowPopover; }
    // The Start menu's popover, once the bar has been drawn or the menu
    // opened; none without a Start menu to show.
    InstantPopover *startMenuPopover() const { return m_startMenuPopover; }
    SystemTrayView *tray() const { return m_tray; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    struct AppSlot
    {
        QPointer<AppTaskbarButton> button;
        std::unique_ptr<AnimatedValue> x;
        std::unique_ptr<AnimatedValue> presence;
        // Made when the app's picker first opens, kept with the button.
        QPointer<InstantPopover> picker;
        QPointer<QWidget> pickerContent;
        bool pickerOpen = false;
    };

    void apply(ViewModel::Changes changes);
    void syncAppButtons();
    void placeButtons();
    void syncFlyoutLooks();
    void makeStartMenuPopover();
    AppSlot &slotFor(const QString &appID);
    void removeSlot(AppSlot slot);
    void syncPicker(const QString &appID, AppSlot &slot);

    TaskbarViewEnvironment m_env;
    std::unique_ptr<BarViewModel> m_model;
    TaskbarIconButtonModel *m_startModel = nullptr;
    TaskbarIconButtonModel *m_searchModel = nullptr;
    TaskbarIconButtonModel *m_overflowModel = nullptr;
    TaskbarIconButton *m_start = nullptr;
    TaskbarIconButton *m_search = nullptr;
    TaskbarIconButton *m_overflowButton = nullptr;
    InstantPopover *m_overflowPopover = nullptr;
    InstantPopover *m_startMenuPopover = nullptr;
    bool m_startMenuQueued = false;
    SystemTrayView *m_tray = nullptr;
    std::map<QString, AppSlot> m_slots;
    // Buttons fading off the bar; each goes when its fade ends.
    std::vector<AppSlot> m_leaving;
};

} // namespace Velmora
