#include "onboarding/dockillustration.h"

#include "onboarding/onboardingstyle.h"

#include <QPainter>
#include <QPainterPath>

namespace Velmora {

DockIllustration::DockIllustration(DockEdge edge, bool isDockHidden, QWidget *parent)
    : QWidget(parent)
    , m_edge(edge)
    , m_isDockHidden(isDockHidden)
{
    setFixedSize(size);
    // A picture of what the text says: nothing for assistive technologies.
    setAccessibleName(QString());
}

void DockIllustration::set(DockEdge edge, bool isDockHidden)
{
    if (edge == m_edge && isDockHidden == m_isDockHidden)
        return;
    m_edge = edge;
    m_isDockHidden = isDockHidden;
    update();
}

void DockIllustration::setScale(qreal scale)
{
    m_scale = scale;
    update();
}

void DockIllustration::paint(QPainter &painter, const QRectF &rect, DockEdge edge, bool isDockHidden)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath screen;
    screen.addRoundedRect(rect, 6, 6);
    painter.setClipPath(screen);
    painter.fillPath(screen, OnboardingStyle::primary(0.06));
    // The bar.
    painter.fillRect(QRectF(rect.left(), rect.bottom() - 8, rect.width(), 8), OnboardingStyle::accent());
    // The Dock, a little above the middle so it clears the bar.
    const QSizeF dock(8, 40);
    const qreal x = edge == DockEdge::left ? rect.left() + 4 : rect.right() - 4 - dock.width();
    const QRectF dockRect(QPointF(x, rect.center().y() - dock.height() / 2 - 4), dock);
    painter.setPen(Qt::NoPen);
    painter.setBrush(OnboardingStyle::primary(isDockHidden ? 0.1 : 0.35));
    painter.drawRoundedRect(dockRect, 3, 3);
    painter.setClipping(false);
    painter.setPen(QPen(OnboardingStyle::primary(0.12), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), 5.5, 5.5);
    painter.restore();
}

void DockIllustration::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRectF full(rect());
    QRectF drawn(QPointF(0, 0), full.size() * m_scale);
    drawn.moveCenter(full.center());
    paint(painter, drawn, m_edge, m_isDockHidden);
}

} // namespace Velmora
