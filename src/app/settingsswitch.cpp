#include "app/settingsswitch.h"

#include "taskmanager/model/taskmanagerpalette.h"

#include <QPainter>

namespace Velmora {

SettingsSwitch::SettingsSwitch(QWidget *parent)
    : QAbstractButton(parent)
{
    setCheckable(true);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize SettingsSwitch::sizeHint() const
{
    return QSize(38, 22);
}

void SettingsSwitch::paintEvent(QPaintEvent *)
{
    using namespace TaskManagerPalette;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF track = QRectF(rect()).adjusted(1, 1, -1, -1);
    const qreal radius = track.height() / 2;
    QColor fill = isChecked() ? accent() : primary(0.18);
    if (isDown())
        fill = fill.darker(115);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRoundedRect(track, radius, radius);
    if (hasFocus()) {
        painter.setPen(QPen(withOpacity(accent(), 0.6), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(track, radius, radius);
        painter.setPen(Qt::NoPen);
    }
    const qreal knob = track.height() - 4;
    const qreal x = isChecked() ? track.right() - 2 - knob : track.left() + 2;
    painter.setBrush(QColor(250, 250, 252));
    painter.drawEllipse(QRectF(x, track.top() + 2, knob, knob));
}

} // namespace Velmora
