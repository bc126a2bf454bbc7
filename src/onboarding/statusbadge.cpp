#include "onboarding/statusbadge.h"

#include <QPainter>

namespace Velmora {

namespace {
constexpr int symbolSize = 12;
constexpr int spacing = 5;
} // namespace

StatusBadge::StatusBadge(QWidget *parent)
    : QWidget(parent)
{
    setFont(OnboardingStyle::font(12, QFont::Medium));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void StatusBadge::set(const QString &text, OnboardingStyle::Symbol symbol, const QColor &colour)
{
    if (text == m_text && symbol == m_symbol && colour == m_colour)
        return;
    m_text = text;
    m_symbol = symbol;
    m_colour = colour;
    setAccessibleName(text);
    updateGeometry();
    update();
}

QSize StatusBadge::sizeHint() const
{
    return QSize(10 + symbolSize + spacing + fontMetrics().horizontalAdvance(m_text) + 10,
        5 + std::max(symbolSize, fontMetrics().height()) + 5);
}

void StatusBadge::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor fill = m_colour;
    fill.setAlphaF(0.1f);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    const qreal radius = height() / 2.0;
    painter.drawRoundedRect(QRectF(rect()), radius, radius);
    OnboardingStyle::drawSymbol(painter, m_symbol, QRectF(10, (height() - symbolSize) / 2.0, symbolSize, symbolSize),
        m_colour);
    painter.setPen(m_colour);
    painter.setFont(font());
    painter.drawText(QRectF(10 + symbolSize + spacing, 0, width(), height()), Qt::AlignVCenter | Qt::AlignLeft,
        m_text);
}

} // namespace Velmora
