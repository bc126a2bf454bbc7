#include "store/windowpicker.h"

#include "platform/clock.h"
#include "store/publish.h"
#include "store/taskbarstore.h"
#include "store/windowpreviews.h"

namespace Velmora {

WindowPicker::WindowPicker(TaskbarStore &store)
    : m_store(store)
{
}

WindowPicker::~WindowPicker() = default;

bool WindowPicker::isWindowPickerOpen(const QString &appID, std::optional<quint32> displayID) const
{
    if (m_windowPickerAppID != appID)
        return false;
    if (!displayID)
        return true;
    return m_store.flyouts().presentedDisplayID() == displayID;
}

bool WindowPicker::isKeepingWindowPickerOpen() const
{
    return m_windowPickerAppID && m_keepWindowPickerOpenUntilMs
        && m_store.environment().clock.wallClockMs() < *m_keepWindowPickerOpenUntilMs;
}

void WindowPicker::dismissWindowPicker()
{
    const bool wasOpen = m_windowPickerAppID.has_value();
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
    Flyouts &flyouts = m_store.flyouts();
    if (wasOpen && !flyouts.isStartMenuPresented() && !flyouts.isSearchPresented()
        && !flyouts.isQuickSettingsPresented())
        flyouts.setPresentedDisplayID(std::nullopt);
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
