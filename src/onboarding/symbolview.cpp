#include "onboarding/symbolview.h"

#include <QLinearGradient>
#include <QPainter>

namespace Velmora {

SymbolView::SymbolView(OnboardingStyle::Symbol symbol, int size, const QColor &colour, Background background,
    QWidget *parent)
    : QWidget(parent)
    , m_symbol(symbol)
    , m_colour(colour)
    , m_background(background)
{
    setFixedSize(size, size);
}

void SymbolView::setSymbol(OnboardingStyle::Symbol symbol, const QColor &colour)
{
    m_symbol = symbol;
    m_colour = colour;
    update();
}

void SymbolView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QRectF symbol(rect());
    if (m_background == Background::blueTile) {
        QLinearGradient gradient(QPointF(0, 0), QPointF(0, height()));
        gradient.setColorAt(0, QColor(64, 156, 255));
        gradient.setColorAt(1, QColor(10, 100, 230));
        painter.setPen(Qt::NoPen);
        painter.setBrush(gradient);
        painter.drawRoundedRect(symbol, 12, 12);
        // The symbol sits at the size of 22-point text inside the tile.
        symbol = QRectF(0, 0, 24, 24);
        symbol.moveCenter(QRectF(rect()).center());
    }
    OnboardingStyle::drawSymbol(painter, m_symbol, symbol, m_colour);
}

} // namespace Velmora
