#include "picker/model/windowpickerviewmodel.h"

#include "platform/workspace.h"
#include "store/taskbarstore.h"

#include <algorithm>

namespace Velmora {

WindowPickerViewModel::WindowPickerViewModel(TaskbarStore &store, const AppItem &app,
    std::optional<quint32> displayID, double previewCardHeight, Animator &animator, QObject *parent)
    : ViewModel(store.environment().scheduler, parent)
    , m_store(store)
    , m_app(app)
    , m_displayID(displayID)
    , m_previewCardHeight(previewCardHeight)
    , m_dragHint(WindowPreviewDragHint::pickerDurationMs, store.environment().scheduler)
    , m_scroller(animator, store.environment().scheduler)
    , m_strip(store, app.id, displayID, m_scroller.drag(), m_dragHint)
{
    const WindowPicker &picker = m_store.windowPicker();
    const Changes cards = StripChanged | SizeChanged | HeaderChanged;
    follow(&picker, &WindowPicker::windowPickerAppIDChanged, cards);
    follow(&m_store.flyouts(), &Flyouts::presentedDisplayIDChanged, cards);
    follow(&picker, &WindowPicker::windowPreviewsChanged, cards);
    follow(&picker, &WindowPicker::isAwaitingNewWindowChanged, StripChanged | SizeChanged);
    follow(&m_store, &TaskbarStore::windowPreviewSortOrderChanged, StripChanged);
    follow(&picker, &WindowPicker::closingWindowPreviewIDsChanged, StripChanged);
    follow(&picker, &WindowPicker::visibleWindowPreviewIDsChanged, StripChanged);
    follow(&picker, &WindowPicker::windowPreviewIDReplacingPlaceholderChanged, StripChanged);
    follow(&picker, &WindowPicker::windowPreviewIDToRevealChanged, StripChanged);
    follow(&m_store.menuActions(), &MenuActionCache::applicationMenuActionsByProcessIdentifierChanged, HeaderChanged);
    follow(&m_store.permissions(), &Permissions::hasScreenCapturePermissionChanged, PermissionChanged);
    follow(&m_dragHint, &WindowPreviewDragHint::isShowingChanged, HintChanged);
    WindowPreviewDragState &drag = m_scroller.drag();
    follow(&drag, &WindowPreviewDragState::idChanged, StripChanged);
    follow(&drag, &WindowPreviewDragState::pressedIDChanged, StripChanged);
    follow(&drag, &WindowPreviewDragState::translationChanged, StripChanged);

    // The key of the visibility refresh and of the hint: whether the picker
    // shows this app at all. Followed at once, not on the next turn, so a
    // refresh never runs for a picker that has switched away.
    connect(&picker, &WindowPicker::windowPickerAppIDChanged, this, &WindowPickerViewModel::pickerAppChanged);
    m_wasPickerForThisApp = isPickerForThisApp();
    updateVisibilityRefresh();
    updateScroller();
}

WindowPickerViewModel::~WindowPickerViewModel()
{
    if (m_refreshJob)
        m_store.environment().scheduler.cancel(m_refreshJob);
}

double WindowPickerViewModel::pickerWidth(qsizetype displayedCount)
{
    return std::clamp(double(displayedCount) * widthPerCard + horizontalChrome, minimumWidth, maximumWidth);
}

double WindowPickerViewModel::previewScrollerHeight(double previewCardHeight, qsizetype displayedCount)
{
    const double scroller
        = displayedCount >= WindowPreviewScrollerModel::scrollerFromCount ? WindowPreviewScrollerModel::scrollerHeight : 0;
    return previewCardHeight + scrollerChrome + scroller;
}

QStringList WindowPickerViewModel::displayedIDs() const
{
    if (!m_strip.isOpenHere())
        return {};
    return m_store.windowPicker().displayedWindowPreviewIDs();
}

std::optional<WindowPickerViewModel::NewWindowCommand> WindowPickerViewModel::newWindowAction() const
{
    if (!m_strip.isOpenHere())
        return std::nullopt;
    const QList<WindowPreviewItem> &previews = m_store.windowPicker().windowPreviews();
    if (previews.isEmpty())
        return std::nullopt;
    const std::optional<RunningApplication> application
        = m_store.environment().workspace.application(previews.first().processIdentifier);
    if (!application)
        return std::nullopt;
    for (const ApplicationMenuAction &action : m_store.menuActions().applicationMenuActions(*application)) {
        const bool opensWindow = action.kind == ApplicationMenuAction::Kind::newWindow
            || action.kind == ApplicationMenuAction::Kind::newFinderWindow;
        if (opensWindow && action.isEnabled)
            return NewWindowCommand { action, *application };
    }
    return std::nullopt;
}

void WindowPickerViewModel::openNewWindow()
{
    const std::optional<NewWindowCommand> command = newWindowAction();
    if (!command)
        return;
    if (m_openNewWindow)
        m_openNewWindow(command->action, command->application);
    else
        m_store.clicks().openNewWindow(command->action, command->application);
}

bool WindowPickerViewModel::showsScreenRecordingRow() const
{
    return !m_store.permissions().hasScreenCapturePermission();
}

void WindowPickerViewModel::requestScreenCapturePermission()
{
    m_store.permissions().requestScreenCapturePermission();
}

void WindowPickerViewModel::dismiss()
{
    m_store.windowPicker().dismissWindowPicker();
}

void WindowPickerViewModel::setShown(bool shown)
{
    if (m_shown == shown)
        return;
    m_shown = shown;
    if (!shown)
        m_strip.disappeared();
    updateVisibilityRefresh();
}

bool WindowPickerViewModel::isPickerForThisApp() const
{
    return m_store.windowPicker().windowPickerAppID() == m_app.id;
}

void WindowPickerViewModel::pickerAppChanged()
{
    const bool forThisApp = isPickerForThisApp();
    if (forThisApp == m_wasPickerForThisApp)
        return;
    m_wasPickerForThisApp = forThisApp;
    // A hint about this app's cards means nothing once the picker moved on.
    if (!forThisApp)
        m_dragHint.hide();
    updateVisibilityRefresh();
}

void WindowPickerViewModel::updateVisibilityRefresh()
{
    Scheduler &scheduler = m_store.environment().scheduler;
    const bool runs = m_shown && isPickerForThisApp();
    if (!runs) {
        if (m_refreshJob)
            scheduler.cancel(m_refreshJob);
        m_refreshJob = 0;
        return;
    }
    if (m_refreshJob)
        return;
    // The store keeps one computation in flight and ignores the rest; the
    // picker only keeps asking.
    WindowPicker &picker = m_store.windowPicker();
    picker.refreshVisibleWindowPreviewsInBackground();
    m_refreshJob = scheduler.scheduleRepeating(
        visibilityRefreshIntervalMs, 0, this, [&picker] { picker.refreshVisibleWindowPreviewsInBackground(); });
}

void WindowPickerViewModel::updateScroller()
{
    m_scroller.update(displayedIDs(), m_store.windowPicker().windowPreviewIDToReveal());
}

void WindowPickerViewModel::refresh(Changes changes)
{
    if (changes & (StripChanged | SizeChanged))
        updateScroller();
}

} // namespace Velmora
