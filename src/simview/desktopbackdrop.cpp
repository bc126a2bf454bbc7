#include "simview/desktopbackdrop.h"

#include "bar/x11windowtype.h"
#include "platform/ownwindowregistry.h"
#include "platform/sim/simdesktop.h"
#include "platform/sim/simstatusitem.h"
#include "platform/sim/simwindowpainter.h"
#include "simview/desktopscene.h"
#include "simview/menubarstatusitem.h"

#include <QHash>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace Velmora::SimView {

DesktopBackdrop::DesktopBackdrop(Sim::SimDesktop &desktop, const DisplayInfo &display, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnBottomHint)
    , m_desktop(desktop)
    // Shown while the window manager is still starting, the backdrop can stay
    // off screen until the manager hears about it again, and the first click
    // on the menu bar would land on the root window. Lowering it is such a
    // request, and puts it where it belongs anyway.
    , m_mapRetry([this] { return windowHandle() && windowHandle()->isExposed(); }, [this] { lower(); })
{
    setWindowTitle(QStringLiteral("Velmora Desktop"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::StrongFocus);
    // The pointer's moves reach the desktop's taps and its pointer location.
    setMouseTracking(true);
    setDisplay(display);
    // The desktop itself to a window manager: below every window, unframed,
    // and still given the keyboard when clicked.
    X11WindowType::set(this, X11WindowType::Type::Desktop);
    // It draws the desktop; it is no window on it.
    setProperty(OwnWindowRegistry::notOnDesktopProperty, true);
}

void DesktopBackdrop::setDisplay(const DisplayInfo &display)
{
    if (display == m_display && m_paintCount > 0)
        return;
    m_display = display;
    setGeometry(display.bounds.toAlignedRect());
    update();
}

void DesktopBackdrop::setStatusItem(Sim::SimStatusItem *item)
{
    m_statusItem = item;
    update();
}

QPointF DesktopBackdrop::globalPoint(const QPointF &local) const
{
    return m_display.bounds.topLeft() + local;
}

void DesktopBackdrop::setClickCatcher(std::function<void()> onClick)
{
    m_catchClick = std::move(onClick);
}

bool DesktopBackdrop::isBareDesktop(const QPointF &local) const
{
    // The menu bar and the Dock sit above the desktop as the windows do.
    return local.y() >= DesktopScene::menuBarHeight && !m_desktop.windowAt(globalPoint(local));
}

void DesktopBackdrop::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    ++m_paintCount;
    QPainter painter(this);
    DesktopScene::paint(painter, m_desktop, m_display);
    if (m_statusItem)
        MenuBarStatusItem::paint(painter, *m_statusItem, width(), DesktopScene::menuBarHeight);
}

void DesktopBackdrop::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_mapRetry.shown();
}

void DesktopBackdrop::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    m_mapRetry.hidden();
}

void DesktopBackdrop::mousePressEvent(QMouseEvent *event)
{
    const QPointF at = globalPoint(event->position());
    if (m_catchClick && isBareDesktop(event->position())) {
        m_caughtButtons |= event->button();
        m_drag.reset();
        // The handler may take the catcher away while it runs.
        const std::function<void()> onClick = m_catchClick;
        onClick();
        return;
    }
    if (event->button() == Qt::RightButton) {
        m_desktop.mouseEvent(InputEventType::RightMouseDown, at);
        return;
    }
    if (event->button() != Qt::LeftButton) {
        m_desktop.mouseEvent(InputEventType::OtherMouseDown, at);
        return;
    }
    m_drag.reset();
    if (m_statusItem && m_statusItem->isInstalled()
        && MenuBarStatusItem::slot(width(), DesktopScene::menuBarHeight).contains(event->position())) {
        // After this press is handled: the item's menu runs a loop of its own.
        QMetaObject::invokeMethod(m_statusItem, &Sim::SimStatusItem::click, Qt::QueuedConnection);
        return;
    }
    // What lies under the press before the press changes the stack.
    if (const std::optional<quint32> hit = m_desktop.windowAt(at)) {
        if (const std::optional<Sim::SimWindow> window = m_desktop.window(*hit)) {
            const QRectF titleBar(window->bounds.topLeft(),
                QSizeF(window->bounds.width(), Sim::SimWindowPainter::titleBarHeight));
            bool onButton = false;
            for (const auto kind : {Sim::SimNode::Kind::CloseButton, Sim::SimNode::Kind::MinimizeButton,
                     Sim::SimNode::Kind::ZoomButton})
                onButton = onButton || Sim::SimDesktop::buttonFrame(*window, kind).contains(at);
            if (titleBar.contains(at) && !onButton && window->ownerPid != m_desktop.selfPid())
                m_drag = Drag{window->number, at, window->bounds};
        }
    }
    m_desktop.mouseEvent(InputEventType::LeftMouseDown, at);
}

void DesktopBackdrop::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF at = globalPoint(event->position());
    m_desktop.mouseEvent(InputEventType::MouseMoved, at);
    if (m_drag && (event->buttons() & Qt::LeftButton))
        m_desktop.moveWindow(m_drag->window, m_drag->startBounds.translated(at - m_drag->pressedAt));
}

void DesktopBackdrop::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_caughtButtons.testFlag(event->button())) {
        m_caughtButtons &= ~event->button();
        return;
    }
    const QPointF at = globalPoint(event->position());
    switch (event->button()) {
    case Qt::LeftButton:
        m_drag.reset();
        m_desktop.mouseEvent(InputEventType::LeftMouseUp, at);
        break;
    case Qt::RightButton:
        m_desktop.mouseEvent(InputEventType::RightMouseUp, at);
        break;
    default:
        m_desktop.mouseEvent(InputEventType::OtherMouseUp, at);
        break;
    }
}

void DesktopBackdrop::keyPressEvent(QKeyEvent *event)
{
    sendKey(event, true);
}

void DesktopBackdrop::keyReleaseEvent(QKeyEvent *event)
{
    sendKey(event, false);
}

void DesktopBackdrop::sendKey(QKeyEvent *event, bool down)
{
    if (!virtualKeyCode(event->key())) {
        event->ignore();
        return;
    }
    m_desktop.pressKey(keyEvent(*event, down));
}

KeyEvent DesktopBackdrop::keyEvent(const QKeyEvent &event, bool down)
{
    KeyEvent key;
    key.type = down ? InputEventType::KeyDown : InputEventType::KeyUp;
    key.keyCode = virtualKeyCode(event.key()).value_or(0);
    key.flags = modifierFlags(event.modifiers());
    key.isAutorepeat = event.isAutoRepeat();
    const int qtKey = event.key();
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) {
        const QChar letter(u'a' + (qtKey - Qt::Key_A));
        key.characters = (event.modifiers() & Qt::ShiftModifier) ? letter.toUpper() : letter;
    } else if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9 && !(event.modifiers() & Qt::ShiftModifier)) {
        key.characters = QChar(u'0' + (qtKey - Qt::Key_0));
    } else {
        key.characters = event.text();
    }
    return key;
}

quint64 DesktopBackdrop::modifierFlags(Qt::KeyboardModifiers modifiers)
{
    quint64 flags = 0;
    if (modifiers & Qt::ShiftModifier)
        flags |= ShiftFlag;
    if (modifiers & Qt::ControlModifier)
        flags |= CommandFlag;
    if (modifiers & Qt::MetaModifier)
        flags |= ControlFlag;
    if (modifiers & Qt::AltModifier)
        flags |= AlternateFlag;
    return flags;
}

std::optional<quint16> DesktopBackdrop::virtualKeyCode(int qtKey)
{
    // The modelled desktop numbers keys by their place on a US keyboard.
    static const QHash<int, quint16> codes{
        {Qt::Key_A, 0}, {Qt::Key_S, 1}, {Qt::Key_D, 2}, {Qt::Key_F, 3}, {Qt::Key_H, 4}, {Qt::Key_G, 5},
        {Qt::Key_Z, 6}, {Qt::Key_X, 7}, {Qt::Key_C, 8}, {Qt::Key_V, 9}, {Qt::Key_B, 11}, {Qt::Key_Q, 12},
        {Qt::Key_W, 13}, {Qt::Key_E, 14}, {Qt::Key_R, 15}, {Qt::Key_Y, 16}, {Qt::Key_T, 17}, {Qt::Key_1, 18},
        {Qt::Key_2, 19}, {Qt::Key_3, 20}, {Qt::Key_4, 21}, {Qt::Key_6, 22}, {Qt::Key_5, 23}, {Qt::Key_9, 25},
        {Qt::Key_7, 26}, {Qt::Key_8, 28}, {Qt::Key_0, 29}, {Qt::Key_O, 31}, {Qt::Key_U, 32}, {Qt::Key_I, 34},
        {Qt::Key_P, 35}, {Qt::Key_Return, 36}, {Qt::Key_L, 37}, {Qt::Key_J, 38}, {Qt::Key_K, 40},
        {Qt::Key_N, 45}, {Qt::Key_M, 46}, {Qt::Key_Tab, 48}, {Qt::Key_Space, 49}, {Qt::Key_Backspace, 51},
        {Qt::Key_Escape, 53}, {Qt::Key_Left, 123}, {Qt::Key_Right, 124}, {Qt::Key_Down, 125}, {Qt::Key_Up, 126},
    };
    const auto it = codes.constFind(qtKey);
    if (it == codes.cend())
        return std::nullopt;
    return *it;
}

} // namespace Velmora::SimView
