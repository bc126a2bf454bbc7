#pragma once

#include "viewmodel/viewmodel.h"
#include "picker/model/windowpreviewscrollermodel.h"
#include "picker/model/windowpreviewstripmodel.h"
#include "platform/runningapplication.h"
#include "services/applicationmenuaction.h"
#include "store/appitem.h"
#include "store/windowpreviewdraghint.h"

#include <functional>
#include <optional>

namespace Velmora {

class Animator;
class TaskbarStore;

// The model of one window picker: the content of the popover above an app
// button, for one app on one display. It gathers the store's changes into
// one update per turn, sizes the picker for the cards it shows, finds the
// app's new-window command for the header's "+" button, says whether to ask
// for Screen Recording, owns the hint shown when a card may not be dragged,
// and, while the picker is open for its app, asks the store every 0.5 s
// which windows are really visible. The strip and the scroller models are
// its parts. Main thread only.
class WindowPickerViewModel : public ViewModel
{
    Q_OBJECT
public:
    enum Change : Changes {
        HeaderChanged = 1 << 0,   // the new-window command
        HintChanged = 1 << 1,     // the drag hint showed or went
        StripChanged = 1 << 2,    // cards, their order or their state
        SizeChanged = 1 << 3,     // width or scroller height
        PermissionChanged = 1 << 4, // the screen-recording row
    };

    // The picker's width: one card's room each, within these bounds.
    static constexpr double widthPerCard = 230;
    static constexpr double horizontalChrome = 36;
    static constexpr double minimumWidth = 260;
    static constexpr double maximumWidth = 740;
    // The cards' room above and below them inside the scroller.
    static constexpr double scrollerChrome = 24;
    // How often the open picker asks which of its windows can be seen.
    static constexpr qint64 visibilityRefreshIntervalMs = 500;

    // The command behind the "+" button and the application it belongs to.
    struct NewWindowCommand
    {
        ApplicationMenuAction action;
        RunningApplication application;
    };
    // Opens a new window through the app's menu command.
    using OpenNewWindow = std::function<void(const ApplicationMenuAction &, const RunningApplication &)>;

    // `previewCardHeight` is given by the app button (159 points).
    WindowPickerViewModel(TaskbarStore &store, const AppItem &app, std::optional<quint32> displayID,
        double previewCardHeight, Animator &animator, QObject *parent = nullptr);
    ~WindowPickerViewModel() override;

    static double pickerWidth(qsizetype displayedCount);
    static double previewScrollerHeight(double previewCardHeight, qsizetype displayedCount);

    const AppItem &app() const { return m_app; }
    std::optional<quint32> displayID() const { return m_displayID; }
    double previewCardHeight() const { return m_previewCardHeight; }
    TaskbarStore &store() const { return m_store; }

    // The ids laid out while the picker is open for this app here, the
    // placeholder of an awaited window included; nothing otherwise.
    QStringList displayedIDs() const;
    qsizetype displayedCount() const { return displayedIDs().size(); }
    double pickerWidth() const { return pickerWidth(displayedCount()); }
    double previewScrollerHeight() const { return previewScrollerHeight(m_previewCardHeight, displayedCount()); }

    std::optional<NewWindowCommand> newWindowAction() const;
    // The "+" button: asks the store for a new window, when there is a command.
    void openNewWindow();
    // How a new window is opened; the store's own operation unless replaced.
    void setOpenNewWindow(OpenNewWindow open) { m_openNewWindow = std::move(open); }

    bool showsScreenRecordingRow() const;
    void requestScreenCapturePermission();
    // Escape closes the picker.
    void dismiss();

    WindowPreviewDragHint &dragHint() { return m_dragHint; }
    WindowPreviewStripModel &strip() { return m_strip; }
    WindowPreviewScrollerModel &scroller() { return m_scroller; }

    // The view is on screen or not; the visibility refresh runs only while
    // it is and the picker is open for this app.
    void setShown(bool shown);
    bool isShown() const { return m_shown; }
    bool isRefreshingVisibility() const { return m_refreshJob != 0; }

protected:
    void refresh(Changes changes) override;

private:
    bool isPickerForThisApp() const;
    void pickerAppChanged();
    void updateVisibilityRefresh();
    // Hands the store's state to the scroller, which lays out and reveals.
    void updateScroller();

    TaskbarStore &m_store;
    const AppItem m_app;
    const std::optional<quint32> m_displayID;
    const double m_previewCardHeight;
    WindowPreviewDragHint m_dragHint;
    WindowPreviewScrollerModel m_scroller;
    WindowPreviewStripModel m_strip;
    OpenNewWindow m_openNewWindow;
    bool m_shown = true;
    bool m_wasPickerForThisApp = false;
    Scheduler::JobId m_refreshJob = 0;
};

} // namespace Velmora
