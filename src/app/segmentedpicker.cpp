#include "app/segmentedpicker.h"

#include "taskmanager/model/taskmanagerpalette.h"
#include "taskmanager/taskmanagerstyle.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace Velmora {

SegmentedPicker::SegmentedPicker(const QStringList &titles, QWidget *parent)
    : QWidget(parent)
    , m_titles(titles)
{
    setFont(TaskManagerStyle::font(13));
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void SegmentedPicker::setCurrentIndex(int index)
{
    if (index == m_current)
        return;
    m_current = index;
    update();
}

QRect SegmentedPicker::segmentRect(int index) const
{
    if (m_titles.isEmpty() || index < 0 || index >= m_titles.size())
        return {};
    const int count = int(m_titles.size());
    const int left = index * width() / count;
    const int right = (index + 1) * width() / count;
    return QRect(left, 0, right - left, height());
}

QSize SegmentedPicker::sizeHint() const
{
    return QSize(216, 24);
}

void SegmentedPicker::paintEvent(QPaintEvent *)
{
    using namespace TaskManagerPalette;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    TaskManagerStyle::fillRoundedRect(painter, QRectF(rect()), 6, primary(0.1));
    for (int i = 0; i < m_titles.size(); ++i) {
        const QRectF segment = QRectF(segmentRect(i));
        if (i == m_current) {
            TaskManagerStyle::fillRoundedRect(painter, segment.adjusted(2, 2, -2, -2), 5, primary(0.28));
        } else if (i > 0 && i - 1 != m_current) {
            painter.setPen(QPen(primary(0.15), 1));
            painter.drawLine(QPointF(segment.left(), segment.top() + 6), QPointF(segment.left(), segment.bottom() - 6));
        }
        painter.setPen(primary());
        painter.setFont(font());
        painter.drawText(segment, Qt::AlignCenter, m_titles.at(i));
    }
    if (hasFocus()) {
        painter.setPen(QPen(withOpacity(accent(), 0.6), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 6, 6);
    }
}

void SegmentedPicker::mousePressEvent(QMouseEvent *event)
{
    for (int i = 0; i < m_titles.size(); ++i) {
        if (segmentRect(i).contains(event->position().toPoint())) {
            choose(i);
            return;
        }
    }
}

void SegmentedPicker::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Left && m_current > 0)
        choose(m_current - 1);
    else if (event->key() == Qt::Key_Right && m_current + 1 < m_titles.size())
        choose(m_current + 1);
    else
        QWidget::keyPressEvent(event);
}

void SegmentedPicker::choose(int index)
{
    setCurrentIndex(index);
    emit activated(index);
}

} // namespace Velmora
