#pragma once

#include "services/windowpreviewitem.h"

#include <QList>
#include <QObject>
#include <QSet>
#include <QString>

#include <optional>

namespace Velmora {

class TaskbarStore;

// The one window picker: which app's windows it shows, above which display,
// in which order, which of them are visible on screen, and the wait for a
// window the user asked to open.
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
    explicit WindowPicker(TaskbarStore &store);
    ~WindowPicker() override;

    // The id of the app whose picker is open; nothing while none is.
    const std::optional<QString> &windowPickerAppID() const { return m_windowPickerAppID; }
    // The cards, in display order.
    const QList<WindowPreviewItem> &windowPreviews() const { return m_windowPreviews; }
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

    // Whether `appID`'s picker is open; with a display, only above that one.
    bool isWindowPickerOpen(const QString &appID, std::optional<quint32> displayID = std::nullopt) const;
    bool isKeepingWindowPickerOpen() const;

    // Closes the picker and resets all of its state; updates still held
    // for its opening are dropped.
    void dismissWindowPicker();

signals:
    void windowPickerAppIDChanged();
    void windowPreviewsChanged();
    void visibleWindowPreviewIDsChanged();
    void closingWindowPreviewIDsChanged();
    void windowPreviewIDToRevealChanged();
    void isAwaitingNewWindowChanged();
    void windowPreviewIDReplacingPlaceholderChanged();

private:
    void setWindowPickerAppID(const std::optional<QString> &appID);
    void setWindowPreviews(const QList<WindowPreviewItem> &previews);
    void setVisibleWindowPreviewIDs(const QSet<QString> &ids);
    void setWindowPreviewIDReplacingPlaceholder(const std::optional<QString> &id);

    TaskbarStore &m_store;
    std::optional<QString> m_windowPickerAppID;
    QList<WindowPreviewItem> m_windowPreviews;
    QSet<QString> m_visibleWindowPreviewIDs;
    QSet<QString> m_closingWindowPreviewIDs;
    std::optional<QString> m_windowPreviewIDToReveal;
    std::optional<QSet<QString>> m_windowPreviewIDsBeforeNewWindow;
    bool m_isAwaitingNewWindow = false;
    std::optional<QString> m_windowPreviewIDReplacingPlaceholder;
    std::optional<qint64> m_keepWindowPickerOpenUntilMs;
};

} // namespace Velmora
