#include "taskmanager/taskmanagerbutton.h"

#include "taskmanager/model/taskmanagerpalette.h"
#include "taskmanager/taskmanagerstyle.h"

#include <QFontMetrics>
#include <QPainter>

namespace Velmora {

TaskManagerButton::TaskManagerButton(const QString &text, Kind kind, QWidget *parent)
    : QPushButton(text, parent)
    , m_kind(kind)
{
    setFont(TaskManagerStyle::font(13, kind == Kind::Standard ? QFont::Normal : QFont::DemiBold));
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize TaskManagerButton::sizeHint() const
{
    const QFontMetrics metrics(font());
    return QSize(metrics.horizontalAdvance(text()) + 28, 28);
}

void TaskManagerButton::paintEvent(QPaintEvent *)
{
    using namespace TaskManagerPalette;
    QPainter painter(this);
    const bool enabled = isEnabled();
    const bool filled = m_kind != Kind::Standard;
    QColor fill = m_kind == Kind::Prominent ? accent() : m_kind == Kind::Destructive ? red() : primary(0.12);
    if (isDown())
        fill = filled ? fill.darker(115) : primary(0.2);
    if (!enabled)
        fill = primary(0.06);
    TaskManagerStyle::fillRoundedRect(painter, QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 6, fill);
    if (hasFocus()) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(withOpacity(accent(), 0.7), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 5, 5);
    }
    painter.setPen(!enabled ? secondary() : filled ? QColor(Qt::white) : primary());
    painter.setFont(font());
    painter.drawText(rect(), Qt::AlignCenter, text());
}

} // namespace Velmora
