#include "store/windowpicker.h"

#include "platform/clock.h"
#include "platform/workspace.h"
#include "services/windowpreviewprovider.h"
#include "store/appitem.h"
#include "store/customwindownames.h"
#include "store/flyouts.h"
#include "store/focusrecorder.h"
#include "store/publish.h"
#include "store/taskbartooltip.h"
#include "store/windowpreviewcache.h"
#include "store/windowpreviews.h"

namespace Velmora {

WindowPicker::WindowPicker(
    Services services, Flyouts &flyouts, WindowPreviewCache &cache, const CustomWindowNames &names)
    : m_services(std::move(services))
    , m_flyouts(flyouts)
    , m_cache(cache)
    , m_names(names)
    , m_gate(m_services.clock, m_services.scheduler, this)
    , m_background(m_services.backgroundRunner)
{
}

WindowPicker::~WindowPicker()
{
    m_background.waitForDone();
}

void WindowPicker::setPickerOpenAnimationEndsAt(std::optional<qint64> monotonicMs)
{
    m_gate.setEndsAt(monotonicMs);
}

bool WindowPicker::deferUntilPickerOpenAnimationEnds(std::function<void()> update)
{
    return m_gate.defer(std::move(update));
}

QStringList WindowPicker::displayedWindowPreviewIDs() const
{
    QStringList ids;
    ids.reserve(m_windowPreviews.size() + 1);
    for (const WindowPreviewItem &preview : m_windowPreviews)
        ids.append(preview.id);
    if (m_isAwaitingNewWindow) {
        // A new window is the most recently used one; in the other orders it
        // joins at the end.
        if (m_sortOrder == WindowPreviewSortOrder::LastUsed)
            ids.prepend(QLatin1String(placeholderPreviewID));
        else
            ids.append(QLatin1String(placeholderPreviewID));
    }
    return ids;
}

QList<WindowPreviewItem> WindowPicker::orderedWindowPreviews(const QList<WindowPreviewItem> &previews)
{
    const FocusRecorder &focus = m_services.focusRecorder;
    return m_ordering.ordered(
        previews, m_sortOrder,
        [&focus](const QString &id) { return focus.recency(id); },
        [this](const WindowPreviewItem &preview) { return m_names.customWindowName(preview); });
}

void WindowPicker::reorderWindowPreviews()
{
    setWindowPreviews(orderedWindowPreviews(m_windowPreviews));
}

void WindowPicker::moveWindowPreview(const QString &id, qsizetype target)
{
    if (m_sortOrder != WindowPreviewSortOrder::Fixed)
        return;
    if (m_ordering.move(id, target, m_windowPreviews))
        reorderWindowPreviews();
}

bool WindowPicker::prepareWindowPicker(const AppItem &app, quint32 displayID)
{
    if (isWindowPickerOpen(app.id, displayID))
        return false;
    // The product's own windows have no picker.
    if (app.id == AppItem::taskManagerID || app.id == AppItem::settingsID || app.id == AppItem::setupID
        || app.id == AppItem::ownWindowsID)
        return false;
    if (!app.bundleIdentifier)
        return false;
    const QList<RunningApplication> running = m_services.workspace.runningApplications(*app.bundleIdentifier);
    if (running.isEmpty())
        return false;
    const QList<WindowPreviewItem> previews
        = orderedWindowPreviews(m_cache.cachedOrFetchedWindowPreviews(running.first()));
    if (previews.size() < pickerThreshold)
        return false;
    m_services.tooltip.hide();
    m_flyouts.dismissFlyouts();
    presentWindowPicker(app, previews, displayID);
    // A picker opened by a press has no opening to protect: fresh data applies at once.
    m_gate.setEndsAt(std::nullopt);
    return true;
}

void WindowPicker::presentWindowPicker(const AppItem &app, const QList<WindowPreviewItem> &previews, quint32 displayID)
{
    setWindowPreviews(previews);
    refreshVisibleWindowPreviews();
    setWindowPickerAppID(app.id);
    m_flyouts.setPresentedDisplayID(displayID);
    m_gate.start(m_services.clock.monotonicMs() + openingAnimationMs);
    emit thumbnailsWanted(app.id);
}

void WindowPicker::reconcilePresentedWindowPreviews(
    const QList<WindowPreviewItem> &previews, qint32 processIdentifier)
{
    if (!m_windowPickerAppID)
        return;
    const QString appID = *m_windowPickerAppID;
    // A fetch for another app's process only updates the cache.
    if (std::none_of(m_windowPreviews.cbegin(), m_windowPreviews.cend(),
            [&](const WindowPreviewItem &shown) { return shown.processIdentifier == processIdentifier; }))
        return;
    if (m_gate.defer([this, previews, processIdentifier] {
            reconcilePresentedWindowPreviews(previews, processIdentifier);
        }))
        return;

    QHash<QString, QImage> thumbnails;
    for (const WindowPreviewItem &shown : std::as_const(m_windowPreviews)) {
        if (shown.thumbnail)
            thumbnails.insert(shown.id, *shown.thumbnail);
    }
    // An image on screen survives the refresh; a window new to the picker
    // waits for its own.
    QList<WindowPreviewItem> ordered = orderedWindowPreviews(previews);
    for (WindowPreviewItem &preview : ordered) {
        const auto found = thumbnails.constFind(preview.id);
        preview.thumbnail = found == thumbnails.cend() ? std::nullopt : std::optional<QImage>(*found);
    }
    setWindowPreviews(ordered);
    refreshVisibleWindowPreviewsInBackground();
    revealNewWindow();
    emit thumbnailsWanted(appID);
}

void WindowPicker::revealNewWindow()
{
    if (!m_windowPreviewIDsBeforeNewWindow)
        return;
    const auto added = std::find_if(m_windowPreviews.cbegin(), m_windowPreviews.cend(),
        [&](const WindowPreviewItem &preview) { return !m_windowPreviewIDsBeforeNewWindow->contains(preview.id); });
    if (added == m_windowPreviews.cend())
        return;
    const QString id = added->id;
    m_windowPreviewIDsBeforeNewWindow.reset();
    if (m_isAwaitingNewWindow) {
        setWindowPreviewIDReplacingPlaceholder(id);
        setAwaitingNewWindow(false);
    }
    setWindowPreviewIDToReveal(id);
}

void WindowPicker::refreshVisibleWindowPreviews()
{
    const WindowPreviewProvider &provider = m_services.windowPreviews;
    setVisibleWindowPreviewIDs(provider.visiblePreviewIDs(WindowPreviewProvider::visibilityCandidates(m_windowPreviews)));
}

void WindowPicker::refreshVisibleWindowPreviewsInBackground()
{
    if (m_isRefreshingVisibleWindowPreviews)
        return;
    m_isRefreshingVisibleWindowPreviews = true;
    const WindowPreviewProvider &provider = m_services.windowPreviews;
    m_background.run<QSet<QString>>(
        this,
        [&provider, candidates = WindowPreviewProvider::visibilityCandidates(m_windowPreviews)] {
            return provider.visiblePreviewIDs(candidates);
        },
        [this](QSet<QString> visible) {
            m_isRefreshingVisibleWindowPreviews = false;
            // Cards may have gone while the computation ran.
            QSet<QString> shown;
            for (const WindowPreviewItem &preview : std::as_const(m_windowPreviews))
                shown.insert(preview.id);
            setVisibleWindowPreviewIDs(visible.intersect(shown));
        });
}

bool WindowPicker::isWindowPickerOpen(const QString &appID, std::optional<quint32> displayID) const
{
    if (m_windowPickerAppID != appID)
        return false;
    if (!displayID)
        return true;
    return m_flyouts.presentedDisplayID() == displayID;
}

bool WindowPicker::isKeepingWindowPickerOpen() const
{
    return m_windowPickerAppID && m_keepWindowPickerOpenUntilMs
        && m_services.clock.wallClockMs() < *m_keepWindowPickerOpenUntilMs;
}

void WindowPicker::dismissWindowPicker()
{
    const bool wasOpen = m_windowPickerAppID.has_value();
    // What waited for the opening animation is for a picker that is gone.
    m_gate.reset();
    setWindowPickerAppID(std::nullopt);
    setWindowPreviews({});
    setVisibleWindowPreviewIDs({});
    setClosingWindowPreviewIDs({});
    setWindowPreviewIDToReveal(std::nullopt);
    m_windowPreviewIDsBeforeNewWindow.reset();
    setAwaitingNewWindow(false);
    setWindowPreviewIDReplacingPlaceholder(std::nullopt);
    m_keepWindowPickerOpenUntilMs.reset();
    // Search and quick settings share the display with the picker; the Start
    // menu replaces the picker on it.
    if (wasOpen && !m_flyouts.isStartMenuPresented() && !m_flyouts.isSearchPresented()
        && !m_flyouts.isQuickSettingsPresented())
        m_flyouts.setPresentedDisplayID(std::nullopt);
}

void WindowPicker::setWindowPickerAppID(const std::optional<QString> &appID)
{
    publish(this, m_windowPickerAppID, appID, &WindowPicker::windowPickerAppIDChanged);
}

void WindowPicker::setWindowPreviews(const QList<WindowPreviewItem> &previews)
{
    if (WindowPreviews::same(m_windowPreviews, previews))
        return;
    m_windowPreviews = previews;
    emit windowPreviewsChanged();
}

void WindowPicker::setVisibleWindowPreviewIDs(const QSet<QString> &ids)
{
    publish(this, m_visibleWindowPreviewIDs, ids, &WindowPicker::visibleWindowPreviewIDsChanged);
}

void WindowPicker::setClosingWindowPreviewIDs(const QSet<QString> &ids)
{
    publish(this, m_closingWindowPreviewIDs, ids, &WindowPicker::closingWindowPreviewIDsChanged);
}

void WindowPicker::setWindowPreviewIDToReveal(const std::optional<QString> &id)
{
    publish(this, m_windowPreviewIDToReveal, id, &WindowPicker::windowPreviewIDToRevealChanged);
}

void WindowPicker::setWindowPreviewIDsBeforeNewWindow(const std::optional<QSet<QString>> &ids)
{
    m_windowPreviewIDsBeforeNewWindow = ids;
}

void WindowPicker::setAwaitingNewWindow(bool awaiting)
{
    publish(this, m_isAwaitingNewWindow, awaiting, &WindowPicker::isAwaitingNewWindowChanged);
}

void WindowPicker::setWindowPreviewIDReplacingPlaceholder(const std::optional<QString> &id)
{
    publish(this, m_windowPreviewIDReplacingPlaceholder, id, &WindowPicker::windowPreviewIDReplacingPlaceholderChanged);
}

void WindowPicker::setKeepWindowPickerOpenUntil(std::optional<qint64> wallClockMs)
{
    m_keepWindowPickerOpenUntilMs = wallClockMs;
}

} // namespace Velmora
