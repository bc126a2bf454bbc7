#pragma once

#include "platform/runningapplication.h"
#include "services/windowpreviewitem.h"
#include "store/backgroundtasks.h"
#include "store/pickeropeninggate.h"
#include "store/storesettings.h"
#include "store/windowpreviewordering.h"

#include <QList>
#include <QObject>
#include <QSet>
#include <QString>

#include <optional>

namespace Velmora {

class Clock;
class CustomWindowNames;
class FocusRecorder;
class Flyouts;
class Scheduler;
class TaskbarTooltip;
class WindowPreviewCache;
class WindowPreviewProvider;
class Workspace;
struct AppItem;

// The one window picker: which app's windows it shows, above which display,
// in which order, which of them are visible on screen, and the wait for a
// window the user asked to open. Fresh window lists reach it from the
// preview cache; while its popover animates open they wait. It opens on the
// flyouts' display and closes them when a press opens it; the images on its
// cards are someone else's to load, on thumbnailsWanted.
class WindowPicker : public QObject
{
    Q_OBJECT
    Q_PROPERTY(std::optional<QString> windowPickerAppID READ windowPickerAppID NOTIFY windowPickerAppIDChanged)
    Q_PROPERTY(QList<Velmora::WindowPreviewItem> windowPreviews READ windowPreviews NOTIFY windowPreviewsChanged)
    Q_PROPERTY(QSet<QString> visibleWindowPreviewIDs READ visibleWindowPreviewIDs NOTIFY visibleWindowPreviewIDsChanged)
    Q_PROPERTY(QSet<QString> closingWindowPreviewIDs READ closingWindowPreviewIDs WRITE setClosingWindowPreviewIDs NOTIFY
            closingWindowPreviewIDsChanged)
    Q_PROPERTY(std::optional<QString> windowPreviewIDToReveal READ windowPreviewIDToReveal WRITE
            setWindowPreviewIDToReveal NOTIFY windowPreviewIDToRevealChanged)
    Q_PROPERTY(bool isAwaitingNewWindow READ isAwaitingNewWindow WRITE setAwaitingNewWindow NOTIFY
            isAwaitingNewWindowChanged)
    Q_PROPERTY(std::optional<QString> windowPreviewIDReplacingPlaceholder READ windowPreviewIDReplacingPlaceholder
            NOTIFY windowPreviewIDReplacingPlaceholderChanged)

public:
    // The card shown while a window the user asked for has not appeared.
    static constexpr auto placeholderPreviewID = "new-window-placeholder";
    // Fresh data for a picker opened by a click waits this long on the
    // monotonic clock, so the popover's opening animation is not disturbed.
    static constexpr qint64 openingAnimationMs = 450;
    // A press opens the picker only for an app with this many windows.
    static constexpr qsizetype pickerThreshold = 2;

    struct Services
    {
        const Clock &clock;
        Scheduler &scheduler;
        // Says which cards can be seen; called from background threads too.
        WindowPreviewProvider &windowPreviews;
        Workspace &workspace;
        TaskbarTooltip &tooltip;
        // The last-used order.
        const FocusRecorder &focusRecorder;
        BackgroundTasks::Runner backgroundRunner;
    };

    // The alphabetical order goes by the user's names for windows in `names`.
    WindowPicker(Services services, Flyouts &flyouts, WindowPreviewCache &cache, const CustomWindowNames &names);
    ~WindowPicker() override;

    // The id of the app whose picker is open; nothing while none is.
    const std::optional<QString> &windowPickerAppID() const { return m_windowPickerAppID; }
    // The cards, in display order.
    const QList<WindowPreviewItem> &windowPreviews() const { return m_windowPreviews; }
    void setWindowPreviews(const QList<WindowPreviewItem> &previews);
    const QSet<QString> &visibleWindowPreviewIDs() const { return m_visibleWindowPreviewIDs; }
    const QSet<QString> &closingWindowPreviewIDs() const { return m_closingWindowPreviewIDs; }
    void setClosingWindowPreviewIDs(const QSet<QString> &ids);
    const std::optional<QString> &windowPreviewIDToReveal() const { return m_windowPreviewIDToReveal; }
    void setWindowPreviewIDToReveal(const std::optional<QString> &id);
    // The ids shown when a new window was asked for; set while it is awaited.
    const std::optional<QSet<QString>> &windowPreviewIDsBeforeNewWindow() const
    {
        return m_windowPreviewIDsBeforeNewWindow;
    }
    void setWindowPreviewIDsBeforeNewWindow(const std::optional<QSet<QString>> &ids);
    bool isAwaitingNewWindow() const { return m_isAwaitingNewWindow; }
    void setAwaitingNewWindow(bool awaiting);
    const std::optional<QString> &windowPreviewIDReplacingPlaceholder() const
    {
        return m_windowPreviewIDReplacingPlaceholder;
    }
    // Wall-clock time until which the picker stays open whatever happens.
    std::optional<qint64> keepWindowPickerOpenUntil() const { return m_keepWindowPickerOpenUntilMs; }
    void setKeepWindowPickerOpenUntil(std::optional<qint64> wallClockMs);

    // When the popover's opening animation ends, on the monotonic clock;
    // the bar moves it when it lets the popover go.
    std::optional<qint64> pickerOpenAnimationEndsAt() const { return m_gate.endsAt(); }
    void setPickerOpenAnimationEndsAt(std::optional<qint64> monotonicMs);
    // Holds an update to the cards while the opening animation runs; false
    // when the caller applies it now.
    bool deferUntilPickerOpenAnimationEnds(std::function<void()> update);

    // Whether `appID`'s picker is open; with a display, only above that one.
    bool isWindowPickerOpen(const QString &appID, std::optional<quint32> displayID = std::nullopt) const;
    bool isKeepingWindowPickerOpen() const;
    // The ids the picker lays out: its cards, and the placeholder while a
    // new window is awaited (first in last-used order, else last).
    QStringList displayedWindowPreviewIDs() const;

    // The previews in the order the picker shows them.
    QList<WindowPreviewItem> orderedWindowPreviews(const QList<WindowPreviewItem> &previews);
    // Re-sorts the open picker's cards, after the order or a name changed.
    void reorderWindowPreviews();
    // Drops a card in the user's fixed arrangement; only in fixed order and
    // only while the picker shows one process's windows.
    void moveWindowPreview(const QString &id, qsizetype target);
    WindowPreviewOrdering &ordering() { return m_ordering; }
    // The order of the cards, as the settings say; setting it does not re-sort.
    WindowPreviewSortOrder sortOrder() const { return m_sortOrder; }
    void setSortOrder(WindowPreviewSortOrder order) { m_sortOrder = order; }

    // A press on an app button: opens the picker at once for a running app
    // with two or more windows. True when the picker is open now.
    bool prepareWindowPicker(const AppItem &app, quint32 displayID);
    // Shows `previews` (in display order) for `app` above `displayID`'s bar.
    void presentWindowPicker(const AppItem &app, const QList<WindowPreviewItem> &previews, quint32 displayID);
    // Closes the picker and resets all of its state; updates still held
    // for its opening are dropped.
    void dismissWindowPicker();

    // Applies a fresh list of one process's windows to the open picker:
    // order, images carried over by id, and the window the user asked for.
    void reconcilePresentedWindowPreviews(const QList<WindowPreviewItem> &previews, qint32 processIdentifier);

    // Which cards' windows can be seen on screen: now, or computed in the
    // background (one computation at a time; the picker asks every 0.5 s).
    void refreshVisibleWindowPreviews();
    void refreshVisibleWindowPreviewsInBackground();
    bool isRefreshingVisibleWindowPreviews() const { return m_isRefreshingVisibleWindowPreviews; }

signals:
    void windowPickerAppIDChanged();
    void windowPreviewsChanged();
    void visibleWindowPreviewIDsChanged();
    void closingWindowPreviewIDsChanged();
    void windowPreviewIDToRevealChanged();
    void isAwaitingNewWindowChanged();
    void windowPreviewIDReplacingPlaceholderChanged();
    // The cards of `appID`'s picker were shown or refreshed: their images are to load.
    void thumbnailsWanted(const QString &appID);

private:
    void setWindowPickerAppID(const std::optional<QString> &appID);
    void setVisibleWindowPreviewIDs(const QSet<QString> &ids);
    // The first window the user asked for, once a fresh list shows it.
    void revealNewWindow();
    void setWindowPreviewIDReplacingPlaceholder(const std::optional<QString> &id);

    Services m_services;
    Flyouts &m_flyouts;
    WindowPreviewCache &m_cache;
    const CustomWindowNames &m_names;
    WindowPreviewSortOrder m_sortOrder = WindowPreviewSortOrder::Fixed;
    std::optional<QString> m_windowPickerAppID;
    QList<WindowPreviewItem> m_windowPreviews;
    QSet<QString> m_visibleWindowPreviewIDs;
    QSet<QString> m_closingWindowPreviewIDs;
    std::optional<QString> m_windowPreviewIDToReveal;
    std::optional<QSet<QString>> m_windowPreviewIDsBeforeNewWindow;
    bool m_isAwaitingNewWindow = false;
    std::optional<QString> m_windowPreviewIDReplacingPlaceholder;
    std::optional<qint64> m_keepWindowPickerOpenUntilMs;
    bool m_isRefreshingVisibleWindowPreviews = false;
    WindowPreviewOrdering m_ordering;
    PickerOpeningGate m_gate;
    // Last: its threads are joined before anything they report to goes.
    BackgroundTasks m_background;
};

} // namespace Velmora
