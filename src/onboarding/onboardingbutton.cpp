#include "onboarding/onboardingbutton.h"

#include <QEvent>
#include <QPainter>

namespace Velmora {

namespace {
constexpr int buttonHeight = 30;
constexpr int padding = 14;
constexpr int symbolSize = 11;
} // namespace

OnboardingButton::OnboardingButton(const QString &title, Look look, QWidget *parent)
    : QAbstractButton(parent)
    , m_look(look)
{
    setText(title);
    setFont(OnboardingStyle::font(13, look == Look::plain ? QFont::Normal : QFont::Medium));
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void OnboardingButton::setSymbol(std::optional<OnboardingStyle::Symbol> symbol)
{
    m_symbol = symbol;
    updateGeometry();
    update();
}

QSize OnboardingButton::sizeHint() const
{
    const int textWidth = fontMetrics().horizontalAdvance(text());
    const int symbol = m_symbol ? symbolSize + 6 : 0;
    return QSize(textWidth + symbol + 2 * padding, buttonHeight);
}

void OnboardingButton::changeEvent(QEvent *event)
{
    // A disabled button does not invite a click.
    if (event->type() == QEvent::EnabledChange)
        setCursor(isEnabled() ? Qt::PointingHandCursor : Qt::ArrowCursor);
    QAbstractButton::changeEvent(event);
}

void OnboardingButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const bool pressed = isDown();
    QColor fill;
    QColor ink = OnboardingStyle::primary();
    switch (m_look) {
    case Look::filled:
        fill = OnboardingStyle::accent();
        if (pressed)
            fill = fill.darker(120);
        break;
    case Look::grey:
        fill = OnboardingStyle::primary(pressed ? 0.22 : 0.14);
        break;
    case Look::plain:
        ink = pressed ? OnboardingStyle::primary(0.8) : OnboardingStyle::secondary();
        break;
    }
    if (!isEnabled()) {
        fill = OnboardingStyle::primary(0.08);
        ink = OnboardingStyle::primary(0.3);
    }
    if (fill.isValid()) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(fill);
        painter.drawRoundedRect(box, 7, 7);
    }
    const int textWidth = fontMetrics().horizontalAdvance(text());
    const int symbol = m_symbol ? symbolSize + 6 : 0;
    qreal x = (width() - textWidth - symbol) / 2.0;
    if (m_symbol) {
        OnboardingStyle::drawSymbol(painter, *m_symbol,
            QRectF(x, (height() - symbolSize) / 2.0, symbolSize, symbolSize), ink);
        x += symbol;
    }
    painter.setPen(ink);
    painter.setFont(font());
    painter.drawText(QRectF(x, 0, textWidth + 1, height()), Qt::AlignVCenter | Qt::AlignLeft, text());
}

} // namespace Velmora
