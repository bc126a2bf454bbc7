#include "picker/cardsymbolbutton.h"

#include "picker/cardsymbols.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace Velmora {

namespace {

QColor rgba(qreal r, qreal g, qreal b, qreal a)
{
    return QColor::fromRgbF(float(r), float(g), float(b), float(std::clamp(a, 0.0, 1.0)));
}

QColor blend(const QColor &from, const QColor &to, qreal t)
{
    return QColor::fromRgbF(from.redF() + (to.redF() - from.redF()) * float(t),
        from.greenF() + (to.greenF() - from.greenF()) * float(t), from.blueF() + (to.blueF() - from.blueF()) * float(t),
        from.alphaF() + (to.alphaF() - from.alphaF()) * float(t));
}

Motion hoverMotion()
{
    return Motion::easeOut(120, Motion::Kind::Fade);
}

} // namespace

CardSymbolButton::CardSymbolButton(Style style, const QString &symbol, Animator &animator, QWidget *parent)
    : QAbstractButton(parent)
    , m_style(style)
    , m_symbol(symbol)
    , m_hover(animator, this, 0, [this] { update(); })
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
    setCursor(Qt::ArrowCursor);
    setFixedSize(sizeHint());
}

CardSymbolButton::~CardSymbolButton() = default;

qreal CardSymbolButton::side() const
{
    return m_style == Style::Close ? 36 : 22;
}

qreal CardSymbolButton::margin() const
{
    // Room for the close button's 8 % growth and its shadow.
    return m_style == Style::Close ? 4 : 0;
}

QRectF CardSymbolButton::face() const
{
    return QRectF(margin(), margin(), side(), side());
}

QSize CardSymbolButton::sizeHint() const
{
    const int extent = int(side() + 2 * margin());
    return QSize(extent, extent);
}

bool CardSymbolButton::hitButton(const QPoint &pos) const
{
    return face().contains(pos);
}

void CardSymbolButton::setHovered(bool hovered)
{
    if (m_hovered == hovered)
        return;
    m_hovered = hovered;
    m_hover.animateTo(hovered ? 1 : 0, hoverMotion());
    emit hoveredChanged(hovered);
}

void CardSymbolButton::enterEvent(QEnterEvent *event)
{
    QAbstractButton::enterEvent(event);
    setHovered(true);
}

void CardSymbolButton::leaveEvent(QEvent *event)
{
    QAbstractButton::leaveEvent(event);
    setHovered(false);
}

void CardSymbolButton::hideEvent(QHideEvent *event)
{
    QAbstractButton::hideEvent(event);
    // A hidden button hears no leave; it must not come back looking hovered.
    if (m_hovered) {
        m_hovered = false;
        m_hover.setValue(0);
        emit hoveredChanged(false);
    }
}

void CardSymbolButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal t = std::clamp(m_hover.value(), 0.0, 1.0);
    QRectF square = face();

    if (m_style == Style::Close) {
        const qreal scale = 1 + 0.08 * t;
        painter.translate(square.center());
        painter.scale(scale, scale);
        painter.translate(-square.center());
        const qreal radius = 7.5;
        if (t > 0) {
            // A soft shadow one point down: a few widening, fading outlines.
            for (int i = 3; i >= 1; --i) {
                painter.setPen(Qt::NoPen);
                painter.setBrush(rgba(0, 0, 0, 0.32 * t / 3));
                painter.drawRoundedRect(square.translated(0, 1).adjusted(-i, -i, i, i), radius + i, radius + i);
            }
        }
        painter.setPen(Qt::NoPen);
        painter.setBrush(blend(rgba(0, 0, 0, 0.72), rgba(1, 0.23, 0.19, 0.88), t));
        painter.drawRoundedRect(square, radius, radius);
        painter.setPen(QPen(rgba(1, 1, 1, 0.12 + (0.34 - 0.12) * t), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(square.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
        const qreal glyph = 13;
        CardSymbols::draw(painter, m_symbol, QRectF(square.center() - QPointF(glyph / 2, glyph / 2), QSizeF(glyph, glyph)),
            Qt::white, 1.5);
        return;
    }

    painter.setPen(Qt::NoPen);
    painter.setBrush(rgba(1, 1, 1, 0.16 * t));
    painter.drawRoundedRect(square, 5, 5);
    const qreal glyph = m_symbol == QLatin1String("pencil") ? 11 : 12;
    CardSymbols::draw(painter, m_symbol, QRectF(square.center() - QPointF(glyph / 2, glyph / 2), QSizeF(glyph, glyph)),
        rgba(1, 1, 1, 0.6 + 0.4 * t));
}

} // namespace Velmora
