#include "bar/instantpopoverwindow.h"

#include "bar/hiddenwindowpixels.h"
#include "bar/model/popovergeometry.h"
#include "bar/visualeffectview.h"
#include "services/velmoraownwindows.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

#include <cmath>

namespace Velmora {

namespace {

// The hairline around the flyout, drawn over the content.
class PopoverOutline : public QWidget
{
public:
    explicit PopoverOutline(QWidget *parent)
        : QWidget(parent)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor::fromRgbF(1, 1, 1, 0.14f), 1));
        const qreal radius = PopoverGeometry::cornerRadius;
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    }
};

Motion fade(qint64 durationMs)
{
    return Motion::easeOut(durationMs, Motion::Kind::Fade);
}

} // namespace

InstantPopoverWindow::InstantPopoverWindow(Animator &animator, QWidget *content, const QSizeF &contentSize)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_animator(animator)
    , m_content(content)
    , m_contentSize(contentSize)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFocusPolicy(Qt::NoFocus);
    if (m_content) {
        m_content->setParent(this);
        m_content->show();
    }
    m_outline = new PopoverOutline(this);
    resize(contentSize.toSize());
    // The native window is made at the first show: a bar keeps one popover
    // per app button, most of which never open.
}

InstantPopoverWindow::~InstantPopoverWindow()
{
    setWatchingMenus(false);
    if (m_fade)
        m_animator.stop(m_fade);
}

void InstantPopoverWindow::show(const QRectF &anchorFrame, Qt::Edge edge)
{
    if (m_fade) {
        m_animator.stop(m_fade);
        m_fade = 0;
    }
    m_anchorFrame = anchorFrame;
    m_edge = edge;
    m_state = State::Shown;
    if (!windowHandle()) {
        create();
        VelmoraOwnWindows::setRole(windowHandle(), VelmoraOwnWindows::Role::Popover);
    }
    place();
    setWindowOpacity(0);
    QWidget::show();
    raise();
    // A flyout takes keys (Escape, the rename field, a search field) wherever
    // the pointer is, so it takes the keyboard while it is open; it gives the
    // keyboard back when it closes. The bar itself never takes it.
    if (QWindow *focused = QGuiApplication::focusWindow(); focused && focused != windowHandle())
        m_keyboardBefore = focused;
    activateWindow();
    setWatchingMenus(true);
    m_fade = m_animator.start(
        fade(fadeInMs), this, [this](qreal progress) { setWindowOpacity(progress); }, [this] { m_fade = 0; });
}

void InstantPopoverWindow::close(bool animated)
{
    if (m_state != State::Shown)
        return;
    m_state = State::Closing;
    if (m_fade) {
        m_animator.stop(m_fade);
        m_fade = 0;
    }
    if (m_delegate)
        m_delegate->popoverWillClose(this);
    if (m_state != State::Closing)
        return; // closed at once from inside willClose
    if (!animated) {
        finishClose();
        return;
    }
    const qreal from = windowOpacity();
    m_fade = m_animator.start(
        fade(fadeOutMs), this, [this, from](qreal progress) { setWindowOpacity(from * (1 - progress)); },
        [this] {
            m_fade = 0;
            finishClose();
        });
}

void InstantPopoverWindow::finishClose()
{
    if (m_state == State::Closed)
        return;
    m_state = State::Closed;
    setWatchingMenus(false);
    const bool hadKeyboard = isActiveWindow();
    hide();
    setWindowOpacity(1);
    if (hadKeyboard && m_keyboardBefore && m_keyboardBefore->isVisible())
        m_keyboardBefore->requestActivate();
    m_keyboardBefore = nullptr;
    if (m_delegate)
        m_delegate->popoverDidClose(this);
    if (m_isAbandoned)
        deleteLater();
}

void InstantPopoverWindow::setContentSize(const QSizeF &size)
{
    m_contentSize = size;
    if (m_state != State::Closed)
        place();
    else
        resize(size.toSize());
}

void InstantPopoverWindow::place()
{
    QRectF screenFrame;
    if (const QScreen *screen = QGuiApplication::screenAt(m_anchorFrame.center().toPoint()))
        screenFrame = screen->geometry();
    const QRectF frame = PopoverGeometry::frame(m_anchorFrame, m_contentSize, m_edge, screenFrame);
    setGeometry(QRect(QPoint(int(std::round(frame.x())), int(std::round(frame.y()))), m_contentSize.toSize()));
}

bool InstantPopoverWindow::holdsWindow(const QWindow *window) const
{
    return window == windowHandle();
}

void InstantPopoverWindow::abandon()
{
    m_delegate = nullptr;
    onMenuShown = {};
    onMenuHidden = {};
    onLayoutRequest = {};
    if (m_content) {
        m_snapshot = m_content->grab();
        m_content->hide();
        m_content->setParent(nullptr);
        m_content = nullptr;
        update();
    }
    m_isAbandoned = true;
    if (m_state == State::Closed)
        deleteLater();
}

void InstantPopoverWindow::setWatchingMenus(bool watching)
{
    if (watching == m_isWatchingMenus || !qApp)
        return;
    m_isWatchingMenus = watching;
    if (watching)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
}

bool InstantPopoverWindow::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if ((type == QEvent::Show || type == QEvent::Hide) && watched->isWidgetType()) {
        if (auto *menu = qobject_cast<QMenu *>(watched)) {
            if (type == QEvent::Show && onMenuShown)
                onMenuShown(menu, isVisible() && frameGeometry().contains(QCursor::pos()));
            else if (type == QEvent::Hide && onMenuHidden)
                onMenuHidden(menu);
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool InstantPopoverWindow::event(QEvent *event)
{
    // A content widget without a layout of its own asks its parent, this
    // window, to lay out again when its size hint changes.
    if (event->type() == QEvent::LayoutRequest && onLayoutRequest)
        onLayoutRequest();
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::Hide)
        releaseHiddenWindowPixels(*this, *static_cast<QHideEvent *>(event));
    return handled;
}

void InstantPopoverWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && m_state == State::Shown) {
        if (!m_delegate || m_delegate->popoverShouldClose(this))
            close(true);
        return;
    }
    QWidget::keyPressEvent(event);
}

void InstantPopoverWindow::resizeEvent(QResizeEvent *event)
{
    if (m_content)
        m_content->setGeometry(rect());
    m_outline->setGeometry(rect());
    m_outline->raise();
    // Cut to the rounded shape: without a compositor a translucent corner
    // would come out black.
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()), PopoverGeometry::cornerRadius, PopoverGeometry::cornerRadius);
    setMask(QRegion(shape.toFillPolygon().toPolygon()));
    QWidget::resizeEvent(event);
}

void InstantPopoverWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), VisualEffectView::fill(VisualEffectView::Material::Popover));
    if (!m_content && !m_snapshot.isNull())
        painter.drawPixmap(0, 0, m_snapshot);
}

} // namespace Velmora
