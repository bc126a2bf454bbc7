#pragma once

#include "picker/model/windowcardactions.h"
#include "picker/model/windowpreviewcardmodel.h"
#include "picker/windowpreviewcardframe.h"
#include "store/appitem.h"

#include <QIcon>
#include <QImage>

#include <functional>

class QMenu;

namespace Velmora {

class CardSymbolButton;
class TaskbarStore;
class WindowPreviewPointerView;
class WindowRenameEditor;

// One window of the picker: its thumbnail (or the app's icon), its name, a
// badge when it is minimized, an accent border while it can be seen on
// screen, a close button on hover, the rename pencil and editor, and a
// context menu. A click focuses the window, or minimizes it when it is
// already the app's focused window; the picker closes first either way.
//
// The strip creates one card per window, places it by its body
// (placeBody()), and keeps it told whether some card is dragged, whether
// this one is lifted and whether its window is closing. The card reports
// presses and drags through the strip's callbacks. Hide a card before
// deleting it while it may be held, so its press ends and the strip hears
// the drag end.
class WindowPreviewCard : public WindowPreviewCardFrame
{
    Q_OBJECT
public:
    struct Environment
    {
        TaskbarStore &store;
        Animator &animator;
        // The window actions; StoreWindowCardActions in the application.
        WindowCardActions &actions;
        // The application's one tooltip, through a TaskbarCardTooltip.
        CardTooltip &tooltip;
    };

    // What the strip hears of the pointer, handed on unchanged.
    struct StripCallbacks
    {
        std::function<void(bool lifted)> pressChanged;
        std::function<void(qreal translation)> dragChanged;
        std::function<void()> dragEnded;
        std::function<void()> dragRefused;
    };

    // `appearDelayMs` and `hasAppeared` as for WindowPreviewCardMotion.
    WindowPreviewCard(const Environment &environment, const AppItem &app, const QIcon &appIcon,
        const WindowPreviewItem &preview, qint64 appearDelayMs = 0, bool hasAppeared = false,
        QWidget *parent = nullptr);
    ~WindowPreviewCard() override;

    WindowPreviewCardModel &model() { return m_model; }
    const WindowPreviewItem &preview() const { return m_model.preview(); }
    void setPreview(const WindowPreviewItem &preview);
    void setAppIcon(const QIcon &icon);
    void setDragging(bool dragging);
    // Pressed or dragged: the card rises and hides its buttons.
    void setLifted(bool lifted);
    void setStripCallbacks(StripCallbacks callbacks);
    void beginRenaming() { m_model.beginRenaming(); }

    WindowPreviewPointerView *pointerView() const { return m_pointerView; }
    CardSymbolButton *closeButton() const { return m_closeButton; }
    CardSymbolButton *renameButton() const { return m_renameButton; }
    WindowRenameEditor *editor() const { return m_editor; }
    // Builds and opens the context menu at `globalPosition`.
    QMenu *popUpMenu(const QPoint &globalPosition);
    // Where the minimized badge is drawn, in body coordinates.
    static QRectF badgeRect();

protected:
    void paintBody(QPainter &painter) override;
    void motionChanged() override;
    bool event(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void syncChildren();
    void syncButtonVisibility();
    void paintPicture(QPainter &painter, const QRectF &rect);
    void paintTitleRow(QPainter &painter);

    WindowPreviewCardModel m_model;
    Animator &m_animator;
    QIcon m_appIcon;
    StripCallbacks m_strip;
    // The last thumbnail shown, kept while it fades out.
    QImage m_thumbnail;
    AnimatedValue m_thumbnailPresence;
    WindowPreviewPointerView *m_pointerView;
    CardSymbolButton *m_closeButton;
    CardSymbolButton *m_renameButton;
    WindowRenameEditor *m_editor;
};

} // namespace Velmora
