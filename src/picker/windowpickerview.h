#pragma once

#include "bar/windowpickercontent.h"
#include "picker/model/windowpickerlayout.h"
#include "picker/model/windowpickerviewmodel.h"
#include "picker/windowpreviewcard.h"

#include <QIcon>
#include <QWidget>

#include <memory>

class QPushButton;

namespace Velmora {

class FileIcons;

class NewWindowButton;
class WindowPreviewScroller;

// The window picker: the content of the popover above an app button with
// several windows. From top to bottom: a header with the app's icon and
// name, the hint shown when a card may not be dragged, and the "+" button
// for a new window; the strip of window cards; and, while Screen Recording
// is not allowed, a row that asks for it. Escape closes the picker.
//
// Everything it shows comes from its WindowPickerViewModel; the popover
// sizes itself to sizeHint(), which follows the number of cards.
class WindowPickerView : public QWidget
{
    Q_OBJECT
public:
    static constexpr qint64 hintFadeMs = 150;

    static const QString dragHintText;        // "Windows can only be dragged in Fixed order"
    static const QString screenRecordingText; // "Allow Screen Recording for live thumbnails."
    static const QString allowButtonTitle;    // "Allow…"

    WindowPickerView(const WindowPreviewCard::Environment &environment, const AppItem &app, const QIcon &appIcon,
        std::optional<quint32> displayID, qreal previewCardHeight, QWidget *parent = nullptr);
    // The same, with window actions that the view keeps for its cards.
    WindowPickerView(std::unique_ptr<WindowCardActions> actions, TaskbarStore &store, Animator &animator,
        CardTooltip &tooltip, const AppItem &app, const QIcon &appIcon, std::optional<quint32> displayID, qreal previewCardHeight,
        QWidget *parent = nullptr);
    ~WindowPickerView() override;

    // What the bar's picker popovers show: a picker view per opening, with
    // the store's window actions and the app's icon. The bar's environment
    // carries it; `tooltip` must outlive every view it makes.
    static WindowPickerContent::Factory contentFactory(Animator &animator, FileIcons &icons, CardTooltip &tooltip);

    WindowPickerViewModel &model() { return m_model; }
    WindowPreviewScroller *scroller() const { return m_scroller; }
    NewWindowButton *newWindowButton() const { return m_newWindowButton; }
    QPushButton *allowButton() const { return m_allowButton; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void modelChanged(quint32 changes);
    void layOut();
    // Where everything sits at the view's current width.
    WindowPickerLayout layout() const;
    void paintHeader(QPainter &painter);
    void paintScreenRecordingRow(QPainter &painter);

    // The cards' window actions when this view keeps its own; first in,
    // last out, so every card can reach them.
    std::unique_ptr<WindowCardActions> m_ownedActions;
    WindowPickerViewModel m_model;
    QIcon m_appIcon;
    AnimatedValue m_hintOpacity;
    WindowPreviewScroller *m_scroller;
    NewWindowButton *m_newWindowButton;
    QPushButton *m_allowButton;
};

} // namespace Velmora
