#pragma once

#include "platform/displayinfo.h"
#include "platform/inputevents.h"
#include "simview/maprequestretry.h"

#include <QWidget>

#include <functional>
#include <optional>

namespace Velmora::Sim {
class SimDesktop;
class SimStatusItem;
}

namespace Velmora::SimView {

// One display of the simulated desktop as a window at the bottom of the
// stack, behind the panels: it draws the display (DesktopScene) and hands
// the person's mouse and keys to the simulated desktop, so event taps,
// activation and the title-bar buttons behave as on the modelled desktop.
// A drag on a title bar moves the window; Control stands in for Command.
class DesktopBackdrop : public QWidget
{
    Q_OBJECT
public:
    DesktopBackdrop(Sim::SimDesktop &desktop, const DisplayInfo &display, QWidget *parent = nullptr);

    const DisplayInfo &display() const { return m_display; }
    void setDisplay(const DisplayInfo &display);
    // The product's status item, drawn at the right of the menu bar; a click
    // on it goes to the item, not to the desktop.
    void setStatusItem(Sim::SimStatusItem *item);

    // While set, a press on the bare desktop (no window, Dock or menu bar
    // under it) runs `onClick` and goes no further, nor does its release:
    // the drawn desktop catches the click that closes a flyout, as a clear
    // window laid over the desktop would. Presses on windows still reach them.
    void setClickCatcher(std::function<void()> onClick);
    bool isCatchingClicks() const { return bool(m_catchClick); }

    // Paints counted since creation (for the idle check).
    int paintCount() const { return m_paintCount; }

    // The modelled desktop's virtual key code of a Qt key; nothing for keys it has no code for.
    static std::optional<quint16> virtualKeyCode(int qtKey);
    // The modelled desktop's modifier flags: Control is Command here, and
    // the Meta key the modelled desktop's Control.
    static quint64 modifierFlags(Qt::KeyboardModifiers modifiers);
    // The key as the modelled desktop reports it. Its characters come from
    // the key and Shift, not from the text X11 produced: with Control held
    // that text is a control character (Control+M gives a carriage return),
    // while Command there leaves the letter as it is.
    static KeyEvent keyEvent(const QKeyEvent &event, bool down);

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    QPointF globalPoint(const QPointF &local) const;
    bool isBareDesktop(const QPointF &local) const;
    void sendKey(QKeyEvent *event, bool down);

    struct Drag {
        quint32 window = 0;
        QPointF pressedAt;
        QRectF startBounds;
    };

    Sim::SimDesktop &m_desktop;
    Sim::SimStatusItem *m_statusItem = nullptr;
    DisplayInfo m_display;
    std::optional<Drag> m_drag;
    std::function<void()> m_catchClick;
    // The buttons whose press was caught: their releases are caught too.
    Qt::MouseButtons m_caughtButtons;
    int m_paintCount = 0;
    MapRequestRetry m_mapRetry;
};

} // namespace Velmora::SimView
