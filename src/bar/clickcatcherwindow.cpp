#include "bar/clickcatcherwindow.h"

#include "services/velmoraownwindows.h"

#include <QMouseEvent>
#include <QPainter>

namespace Velmora {

ClickCatcherWindow::ClickCatcherWindow(const QRect &screenFrame)
    : QWidget(nullptr,
              Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnBottomHint | Qt::WindowDoesNotAcceptFocus
                  | Qt::NoDropShadowWindowHint)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(screenFrame);
    create();
    VelmoraOwnWindows::setRole(windowHandle(), VelmoraOwnWindows::Role::Panel);
}

void ClickCatcherWindow::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    if (onClick) {
        // The handler may hide this window; keep what it runs alive.
        const std::function<void()> handler = onClick;
        handler();
    }
}

void ClickCatcherWindow::mouseDoubleClickEvent(QMouseEvent *event)
{
    mousePressEvent(event);
}

void ClickCatcherWindow::paintEvent(QPaintEvent *)
{
    // Nothing to see: fully clear, so the desktop shows through.
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect(), Qt::transparent);
}

} // namespace Velmora
