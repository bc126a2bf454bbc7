#include "onboarding/hoversegmentedpicker.h"

#include "onboarding/onboardingstyle.h"

#include <QMouseEvent>
#include <QPainter>

namespace Velmora {

namespace {
constexpr qreal outerPadding = 2;
constexpr qreal spacing = 2;
constexpr qreal minimumSegmentWidth = 100;
constexpr qreal segmentHeight = 24;
constexpr qreal textPadding = 14;
} // namespace

HoverSegmentedPicker::HoverSegmentedPicker(const QList<Option> &options, const QVariant &selection, QWidget *parent)
    : QWidget(parent)
    , m_options(options)
    , m_selection(selection)
{
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void HoverSegmentedPicker::setSelection(const QVariant &value)
{
    if (value == m_selection)
        return;
    m_selection = value;
    update();
    emit selectionChanged(value);
}

bool HoverSegmentedPicker::isHighlighted(int index) const
{
    const QVariant &value = m_options.value(index).first;
    return m_hovered && *m_hovered == value && value != m_selection;
}

qreal HoverSegmentedPicker::segmentWidth(int index) const
{
    QFont bold = OnboardingStyle::font(12, QFont::DemiBold);
    const qreal text = QFontMetricsF(bold).horizontalAdvance(m_options.value(index).second);
    return std::max(minimumSegmentWidth, std::ceil(text + 2 * textPadding));
}

QRectF HoverSegmentedPicker::segmentRect(int index) const
{
    qreal x = outerPadding;
    for (int i = 0; i < index; ++i)
        x += segmentWidth(i) + spacing;
    return QRectF(x, outerPadding, segmentWidth(index), segmentHeight);
}

QSize HoverSegmentedPicker::sizeHint() const
{
    if (m_options.isEmpty())
        return QSize(int(2 * outerPadding), int(2 * outerPadding + segmentHeight));
    const QRectF last = segmentRect(int(m_options.size()) - 1);
    return QSize(int(std::ceil(last.right() + outerPadding)), int(segmentHeight + 2 * outerPadding));
}

int HoverSegmentedPicker::segmentAt(const QPointF &point) const
{
    for (int i = 0; i < m_options.size(); ++i) {
        if (segmentRect(i).contains(point))
            return i;
    }
    return -1;
}

void HoverSegmentedPicker::hover(int index)
{
    // Moving straight onto the next segment hovers it; the gap between two
    // keeps the last one, and only leaving the control clears it.
    if (index >= 0)
        m_hovered = m_options[index].first;
    // The pointing hand belongs to this control and only over a segment.
    setCursor(index >= 0 ? Qt::PointingHandCursor : Qt::ArrowCursor);
    update();
}

void HoverSegmentedPicker::mouseMoveEvent(QMouseEvent *event)
{
    hover(segmentAt(event->position()));
}

void HoverSegmentedPicker::leaveEvent(QEvent *)
{
    m_hovered.reset();
    unsetCursor();
    update();
}

void HoverSegmentedPicker::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton ? segmentAt(event->position()) : -1;
}

void HoverSegmentedPicker::mouseReleaseEvent(QMouseEvent *event)
{
    const int index = segmentAt(event->position());
    if (index >= 0 && index == m_pressed)
        setSelection(m_options[index].first);
    m_pressed = -1;
}

void HoverSegmentedPicker::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(OnboardingStyle::primary(0.07));
    painter.drawRoundedRect(QRectF(rect()), 8, 8);
    for (int i = 0; i < m_options.size(); ++i) {
        const QRectF segment = segmentRect(i);
        const bool selected = m_options[i].first == m_selection;
        if (selected || isHighlighted(i)) {
            painter.setBrush(selected ? OnboardingStyle::accent() : OnboardingStyle::primary(0.1));
            painter.drawRoundedRect(segment, 6, 6);
        }
        painter.setFont(OnboardingStyle::font(12, selected ? QFont::DemiBold : QFont::Normal));
        painter.setPen(selected ? QColor(Qt::white) : OnboardingStyle::primary(0.9));
        painter.drawText(segment, Qt::AlignCenter, m_options[i].second);
        painter.setPen(Qt::NoPen);
    }
}

} // namespace Velmora
