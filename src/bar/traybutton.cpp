#include "bar/traybutton.h"

#include "bar/model/traybuttonstyle.h"

#include <QPainter>
#include <QPainterPath>

namespace Velmora {

namespace {

// The system's orange.
const QColor warningOrange = QColor::fromRgb(255, 149, 0);

// A filled shield, 15 points wide, with an exclamation mark cut out of it.
void drawWarningShield(QPainter &painter, const QPointF &centre)
{
    const qreal w = 15;
    const qreal h = 17;
    const QRectF box(centre.x() - w / 2, centre.y() - h / 2, w, h);
    QPainterPath shield;
    shield.moveTo(box.center().x(), box.top());
    shield.cubicTo(box.center().x() + w * 0.22, box.top() + h * 0.10, box.right() - w * 0.08, box.top() + h * 0.12,
                   box.right(), box.top() + h * 0.16);
    shield.cubicTo(box.right(), box.top() + h * 0.62, box.center().x() + w * 0.30, box.bottom() - h * 0.08,
                   box.center().x(), box.bottom());
    shield.cubicTo(box.center().x() - w * 0.30, box.bottom() - h * 0.08, box.left(), box.top() + h * 0.62, box.left(),
                   box.top() + h * 0.16);
    shield.cubicTo(box.left() + w * 0.08, box.top() + h * 0.12, box.center().x() - w * 0.22, box.top() + h * 0.10,
                   box.center().x(), box.top());
    shield.closeSubpath();

    QPainterPath mark;
    const qreal barWidth = 2.2;
    mark.addRoundedRect(QRectF(box.center().x() - barWidth / 2, box.top() + h * 0.22, barWidth, h * 0.40), 1.1, 1.1);
    mark.addEllipse(QPointF(box.center().x(), box.top() + h * 0.76), 1.3, 1.3);

    painter.fillPath(shield.subtracted(mark), warningOrange);
}

} // namespace

TrayButton::TrayButton(QWidget *parent)
    : QAbstractButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
    setFixedSize(sizeHint());
}

QSize TrayButton::sizeHint() const
{
    return QSize(int(TrayButtonStyle::width), int(TrayButtonStyle::height));
}

void TrayButton::enterEvent(QEnterEvent *event)
{
    m_hovering = true;
    update();
    QAbstractButton::enterEvent(event);
}

void TrayButton::leaveEvent(QEvent *event)
{
    m_hovering = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void TrayButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal opacity = TrayButtonStyle::fillOpacity(isDown(), m_hovering);
    if (opacity > 0) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor::fromRgbF(1, 1, 1, float(opacity)));
        painter.drawRoundedRect(QRectF(rect()), TrayButtonStyle::cornerRadius, TrayButtonStyle::cornerRadius);
    }
    drawWarningShield(painter, QRectF(rect()).center());
}

} // namespace Velmora
