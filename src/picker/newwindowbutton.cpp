#include "picker/newwindowbutton.h"

#include "picker/model/windowcardactions.h"

#include <QEnterEvent>
#include <QPainter>

namespace Velmora {

NewWindowButton::NewWindowButton(Animator &animator, CardTooltip &tooltip, QWidget *parent)
    : QAbstractButton(parent)
    , m_tooltip(tooltip)
    , m_hover(animator, this, 0, [this] { update(); })
{
    setFixedSize(sizeHint());
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::ArrowCursor);
}

void NewWindowButton::setTitle(const QString &title)
{
    m_title = title;
    setAccessibleName(title);
}

QSize NewWindowButton::sizeHint() const
{
    return QSize(side, side);
}

void NewWindowButton::setHovered(bool hovered)
{
    if (m_hovered == hovered)
        return;
    m_hovered = hovered;
    m_hover.animateTo(hovered ? 1 : 0, Motion::easeOut(hoverFadeMs, Motion::Kind::Fade));
}

void NewWindowButton::enterEvent(QEnterEvent *event)
{
    QAbstractButton::enterEvent(event);
    setHovered(true);
    m_tooltip.schedule(m_title);
}

void NewWindowButton::leaveEvent(QEvent *event)
{
    QAbstractButton::leaveEvent(event);
    setHovered(false);
    m_tooltip.hide();
}

void NewWindowButton::mousePressEvent(QMouseEvent *event)
{
    // A click changes what the tooltip would describe.
    m_tooltip.hide();
    QAbstractButton::mousePressEvent(event);
}

void NewWindowButton::hideEvent(QHideEvent *event)
{
    m_tooltip.hide();
    setHovered(false);
    QAbstractButton::hideEvent(event);
}

void NewWindowButton::paintEvent(QPaintEvent *)
{
    const qreal hover = m_hover.value();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor::fromRgbF(1, 1, 1, float(0.07 + (0.16 - 0.07) * hover)));
    painter.drawRoundedRect(QRectF(rect()), cornerRadius, cornerRadius);

    // The "plus" symbol at 12 points, semibold.
    QPen pen(QColor::fromRgbF(1, 1, 1, float(0.8 + 0.2 * hover)));
    pen.setWidthF(1.9);
    pen.setCapStyle(Qt::RoundCap);
    painter.setPen(pen);
    const QPointF centre = QRectF(rect()).center();
    const qreal arm = 5;
    painter.drawLine(centre - QPointF(arm, 0), centre + QPointF(arm, 0));
    painter.drawLine(centre - QPointF(0, arm), centre + QPointF(0, arm));
}

} // namespace Velmora
