#pragma once

#include "picker/model/windowcardactions.h"
#include "platform/scheduler.h"
#include "services/windowpreviewitem.h"
#include "store/appitem.h"

#include <QList>
#include <QObject>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <functional>
#include <optional>

namespace Velmora {

class TaskbarStore;

// The state behind one window card of the picker: which of its parts show,
// its hover and rename state, its tooltip, its menu and what a click on it
// does. The card widget paints from it and forwards its input here.
//
// Only hover, press and rename state live here; everything about the window
// (its name, whether it is visible on screen, the sort order) is read from
// the store whenever it is asked for.
class WindowPreviewCardModel : public QObject
{
    Q_OBJECT
public:
    // The card's outer size, in points: 7 + 122 + 8 + 15 + 7 high.
    static constexpr QSizeF size { 224, 159 };
    static constexpr qreal padding = 7;
    static constexpr QSizeF pictureSize { 210, 122 };
    static constexpr qreal rowSpacing = 8;
    static constexpr qreal titleRowHeight = 15;
    static constexpr qreal titleTrailingPadding = 22;
    static constexpr qreal iconSide = 48;
    // The badge counts as hovered within this margin around it.
    static constexpr qreal badgeHoverMargin = 3;
    // The rename field takes the keyboard this long after the editor opens,
    // once the popover's window has become key.
    static constexpr qint64 nameFieldFocusDelayMs = 60;

    static const QString minimizedTooltip;   // "This window is minimized"
    static const QString minimizedCaption;   // "Minimized"
    static const QString visibleWindowValue; // "Visible window"
    static const QString renameMenuTitle;    // "Rename window…"
    static const QString originalTitleMenuTitle; // "Use original title"
    static const QString renameHelp;         // "Rename window"
    static const QString nameFieldPlaceholder; // "Window name"
    static const QString nameFieldHelp;      // "Leave blank to use the current tab title"
    static const QString saveHelp;           // "Save window name"
    static const QString cancelHelp;         // "Cancel rename"

    // Which parts of the card are shown now.
    struct Children
    {
        bool thumbnail = false;
        bool icon = false;             // the app's icon in place of a thumbnail
        bool minimizedCaption = false; // "Minimized" under that icon
        bool titleRow = true;          // transparent while the editor covers it
        bool badge = false;            // the minimized badge in the title row
        bool closeButton = false;
        bool renameButton = false;     // the pencil
        bool editor = false;
        friend bool operator==(const Children &, const Children &) = default;
    };

    struct MenuEntry
    {
        QString title;
        std::function<void()> action;
    };

    WindowPreviewCardModel(TaskbarStore &store, WindowCardActions &actions, CardTooltip &tooltip,
        Scheduler &scheduler, const AppItem &app, const WindowPreviewItem &preview, QObject *parent = nullptr);
    ~WindowPreviewCardModel() override;

    const AppItem &app() const { return m_app; }
    const WindowPreviewItem &preview() const { return m_preview; }
    // A fresh listing of the same window (title, thumbnail, minimized state).
    void setPreview(const WindowPreviewItem &preview);

    // From the strip: some card is dragged; this card is pressed or dragged.
    void setDragging(bool dragging);
    bool isDragging() const { return m_isDragging; }
    void setLifted(bool lifted);
    bool isLifted() const { return m_isLifted; }

    // The window's name as the card shows it: the user's name for it when
    // there is one, else its title.
    QString name() const;
    bool isVisibleWindow() const;
    // Reordering by dragging works in the fixed order only.
    bool canDrag() const;
    QString accessibilityValue() const;
    QString closeHelp() const;
    QString renameAccessibleName() const;
    Children children() const;
    // White at this opacity fills the card.
    qreal backgroundOpacity() const { return m_hovering ? 0.11 : 0.05; }
    struct Border
    {
        bool accent = false; // the accent colour; else white
        qreal opacity = 0;
        qreal width = 1;
    };
    Border border() const;

    // Input.
    void click();
    void close();
    void setHovering(bool hovering);
    bool isHovering() const { return m_hovering; }
    // The pointer moved over the card (in card coordinates), or left it.
    void updateBadgeHover(std::optional<QPointF> point);
    bool isHoveringMinimizedBadge() const { return m_hoveringMinimizedBadge; }
    // Where the badge is drawn, in card coordinates; nothing while it is not.
    void setMinimizedBadgeFrame(std::optional<QRectF> frame) { m_minimizedBadgeFrame = frame; }
    void setCloseButtonHovered(bool hovered);
    bool isCloseButtonHovered() const { return m_closeButtonHovered; }
    void setRenameButtonHovered(bool hovered);
    bool isRenameButtonHovered() const { return m_renameButtonHovered; }
    // A press on the card face.
    void pressed();
    QList<MenuEntry> menuEntries();
    // The card left the strip or the picker closed: an edit in progress is
    // dropped and the tooltip goes.
    void disappeared();

    // Renaming.
    void beginRenaming();
    bool isRenaming() const { return m_isRenaming; }
    QString editedName() const { return m_editedName; }
    void setEditedName(const QString &name);
    bool isNameFieldFocused() const { return m_nameFieldFocused; }
    void commitRename();
    void cancelRename();
    void useOriginalTitle();

signals:
    void changed();
    // The rename field should take the keyboard now.
    void nameFieldFocusRequested();

private:
    void endRenaming();
    void scheduleTooltip();

    TaskbarStore &m_store;
    WindowCardActions &m_actions;
    CardTooltip &m_tooltip;
    Scheduler &m_scheduler;
    AppItem m_app;
    WindowPreviewItem m_preview;
    bool m_isDragging = false;
    bool m_isLifted = false;
    bool m_hovering = false;
    bool m_closeButtonHovered = false;
    bool m_renameButtonHovered = false;
    bool m_isRenaming = false;
    QString m_editedName;
    // What the editor opened with: committing it unchanged stores nothing,
    // so an untouched title keeps following the window's real title.
    QString m_prefilledName;
    bool m_nameFieldFocused = false;
    Scheduler::JobId m_focusJob = 0;
    std::optional<QRectF> m_minimizedBadgeFrame;
    bool m_hoveringMinimizedBadge = false;
};

} // namespace Velmora
