#include "picker/model/windowpreviewcardmodel.h"

#include "store/customwindownames.h"
#include "store/taskbarstore.h"
#include "store/windowpreviews.h"

namespace Velmora {

const QString WindowPreviewCardModel::minimizedTooltip = QStringLiteral("This window is minimized");
const QString WindowPreviewCardModel::minimizedCaption = QStringLiteral("Minimized");
const QString WindowPreviewCardModel::visibleWindowValue = QStringLiteral("Visible window");
const QString WindowPreviewCardModel::renameMenuTitle = QStringLiteral("Rename window\u2026");
const QString WindowPreviewCardModel::originalTitleMenuTitle = QStringLiteral("Use original title");
const QString WindowPreviewCardModel::renameHelp = QStringLiteral("Rename window");
const QString WindowPreviewCardModel::nameFieldPlaceholder = QStringLiteral("Window name");
const QString WindowPreviewCardModel::nameFieldHelp = QStringLiteral("Leave blank to use the current tab title");
const QString WindowPreviewCardModel::saveHelp = QStringLiteral("Save window name");
const QString WindowPreviewCardModel::cancelHelp = QStringLiteral("Cancel rename");

WindowPreviewCardModel::WindowPreviewCardModel(TaskbarStore &store, WindowCardActions &actions, CardTooltip &tooltip,
    Scheduler &scheduler, const AppItem &app, const WindowPreviewItem &preview, QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_actions(actions)
    , m_tooltip(tooltip)
    , m_scheduler(scheduler)
    , m_app(app)
    , m_preview(preview)
{
    const WindowPicker &picker = store.windowPicker();
    connect(&picker, &WindowPicker::visibleWindowPreviewIDsChanged, this, &WindowPreviewCardModel::changed);
    connect(&store, &TaskbarStore::windowPreviewSortOrderChanged, this, &WindowPreviewCardModel::changed);
    // A rename re-sorts the cards; the name shown may have changed with it.
    connect(&picker, &WindowPicker::windowPreviewsChanged, this, &WindowPreviewCardModel::changed);
    connect(&store.customWindowNames(), &CustomWindowNames::customWindowNamesChanged, this,
        &WindowPreviewCardModel::changed);
}

WindowPreviewCardModel::~WindowPreviewCardModel()
{
    m_scheduler.cancel(m_focusJob);
}

void WindowPreviewCardModel::setPreview(const WindowPreviewItem &preview)
{
    // The strip hands every card its listing at each sync; an unchanged one
    // is no news.
    if (WindowPreviews::same(m_preview, preview))
        return;
    m_preview = preview;
    if (!preview.isMinimized)
        m_minimizedBadgeFrame.reset();
    emit changed();
}

void WindowPreviewCardModel::setDragging(bool dragging)
{
    if (m_isDragging == dragging)
        return;
    m_isDragging = dragging;
    emit changed();
}

void WindowPreviewCardModel::setLifted(bool lifted)
{
    if (m_isLifted == lifted)
        return;
    m_isLifted = lifted;
    emit changed();
}

QString WindowPreviewCardModel::name() const
{
    return m_actions.customWindowName(m_preview).value_or(m_preview.title);
}

bool WindowPreviewCardModel::isVisibleWindow() const
{
    return m_store.windowPicker().visibleWindowPreviewIDs().contains(m_preview.id);
}

bool WindowPreviewCardModel::canDrag() const
{
    return m_store.windowPreviewSortOrder() == WindowPreviewSortOrder::Fixed;
}

QString WindowPreviewCardModel::accessibilityValue() const
{
    return isVisibleWindow() ? visibleWindowValue : QString();
}

QString WindowPreviewCardModel::closeHelp() const
{
    return QStringLiteral("Close ") + name();
}

QString WindowPreviewCardModel::renameAccessibleName() const
{
    return QStringLiteral("Rename ") + name();
}

WindowPreviewCardModel::Children WindowPreviewCardModel::children() const
{
    Children c;
    c.thumbnail = m_preview.thumbnail.has_value();
    c.icon = !c.thumbnail;
    c.minimizedCaption = c.icon && m_preview.isMinimized;
    c.titleRow = !m_isRenaming;
    c.badge = m_preview.isMinimized;
    c.closeButton = m_hovering && m_preview.isClosable && !m_isDragging && !m_isLifted;
    c.renameButton = !m_isRenaming && !m_isLifted;
    c.editor = m_isRenaming;
    return c;
}

WindowPreviewCardModel::Border WindowPreviewCardModel::border() const
{
    if (isVisibleWindow())
        return Border { true, m_hovering ? 0.9 : 0.65, 1.5 };
    return Border { false, m_hovering ? 0.18 : 0.08, 1 };
}

void WindowPreviewCardModel::click()
{
    const std::optional<RunningApplication> application = m_actions.runningApplication(m_preview.processIdentifier);
    if (!application)
        return;
    // The picker goes first, so the window that comes forward is not covered.
    m_actions.dismissWindowPicker();
    if (m_actions.isFocusedWindow(m_preview, *application)) {
        m_actions.minimizeFocusedWindow(m_preview, *application);
        return;
    }
    m_actions.recordRequestedWindow(m_preview.id, m_preview.processIdentifier);
    m_actions.focusRequestedWindow(m_preview, *application, false);
}

void WindowPreviewCardModel::close()
{
    m_actions.closeWindow(m_preview);
}

void WindowPreviewCardModel::setHovering(bool hovering)
{
    if (m_hovering != hovering) {
        m_hovering = hovering;
        emit changed();
    }
    if (!hovering) {
        if (m_closeButtonHovered || m_renameButtonHovered) {
            m_closeButtonHovered = false;
            m_renameButtonHovered = false;
            emit changed();
        }
        m_tooltip.hide();
        return;
    }
    scheduleTooltip();
}

void WindowPreviewCardModel::updateBadgeHover(std::optional<QPointF> point)
{
    if (!point) {
        m_hoveringMinimizedBadge = false;
        return;
    }
    const bool onBadge = m_preview.isMinimized && m_minimizedBadgeFrame
        && m_minimizedBadgeFrame->adjusted(-badgeHoverMargin, -badgeHoverMargin, badgeHoverMargin, badgeHoverMargin)
               .contains(*point);
    if (onBadge == m_hoveringMinimizedBadge)
        return;
    m_hoveringMinimizedBadge = onBadge;
    scheduleTooltip();
}

void WindowPreviewCardModel::scheduleTooltip()
{
    if (m_isRenaming || m_isDragging || m_renameButtonHovered || m_closeButtonHovered)
        return;
    m_tooltip.schedule(m_hoveringMinimizedBadge ? minimizedTooltip : name());
}

void WindowPreviewCardModel::setCloseButtonHovered(bool hovered)
{
    if (m_closeButtonHovered == hovered)
        return;
    m_closeButtonHovered = hovered;
    if (hovered)
        m_tooltip.hide();
    emit changed();
}

void WindowPreviewCardModel::setRenameButtonHovered(bool hovered)
{
    if (m_renameButtonHovered == hovered)
        return;
    m_renameButtonHovered = hovered;
    if (hovered)
        m_tooltip.hide();
    emit changed();
}

void WindowPreviewCardModel::pressed()
{
    m_tooltip.hide();
}

QList<WindowPreviewCardModel::MenuEntry> WindowPreviewCardModel::menuEntries()
{
    QList<MenuEntry> entries { { renameMenuTitle, [this] { beginRenaming(); } } };
    if (m_actions.customWindowName(m_preview))
        entries.append({ originalTitleMenuTitle, [this] { useOriginalTitle(); } });
    return entries;
}

void WindowPreviewCardModel::disappeared()
{
    m_renameButtonHovered = false;
    m_closeButtonHovered = false;
    m_hovering = false;
    if (m_isRenaming)
        endRenaming();
    m_tooltip.hide();
    emit changed();
}

void WindowPreviewCardModel::beginRenaming()
{
    m_tooltip.hide();
    m_renameButtonHovered = false;
    m_prefilledName = name();
    m_editedName = m_prefilledName;
    m_isRenaming = true;
    m_nameFieldFocused = false;
    m_scheduler.cancel(m_focusJob);
    m_focusJob = m_scheduler.scheduleOnce(nameFieldFocusDelayMs, this, [this] {
        m_focusJob = 0;
        if (!m_isRenaming)
            return;
        m_nameFieldFocused = true;
        emit nameFieldFocusRequested();
    });
    emit changed();
}

void WindowPreviewCardModel::setEditedName(const QString &name)
{
    m_editedName = name;
}

void WindowPreviewCardModel::commitRename()
{
    if (!m_isRenaming)
        return;
    const QString edited = m_editedName.trimmed();
    const bool hadCustomName = m_actions.customWindowName(m_preview).has_value();
    // Saving what the editor opened with changes nothing: in particular an
    // untouched title must not become a custom name, or the card would stop
    // following the window's own title. A blank name only matters when there
    // is a custom name to remove.
    const bool unchanged = edited == m_prefilledName.trimmed() || (edited.isEmpty() && !hadCustomName);
    endRenaming();
    if (!unchanged)
        m_actions.renameWindow(m_preview, edited);
    emit changed();
}

void WindowPreviewCardModel::cancelRename()
{
    if (!m_isRenaming)
        return;
    endRenaming();
    emit changed();
}

void WindowPreviewCardModel::useOriginalTitle()
{
    m_actions.renameWindow(m_preview, QString());
    emit changed();
}

void WindowPreviewCardModel::endRenaming()
{
    m_isRenaming = false;
    m_nameFieldFocused = false;
    m_scheduler.cancel(m_focusJob);
    m_focusJob = 0;
}

} // namespace Velmora
