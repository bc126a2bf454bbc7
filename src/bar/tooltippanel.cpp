#include "bar/tooltippanel.h"

#include "bar/model/tooltipgeometry.h"
#include "services/velmoraownwindows.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>

namespace Velmora {

TooltipPanel::TooltipPanel(QWidget *parent)
    : QWidget(parent,
              Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus
                  | Qt::WindowTransparentForInput)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::NoFocus);
    // The panel is furniture of the bar, not a window the user switches to.
    create();
    VelmoraOwnWindows::setRole(windowHandle(), VelmoraOwnWindows::Role::Panel);
}

QFont TooltipPanel::titleFont()
{
    QFont font = QGuiApplication::font();
    // The desktop's points are our logical pixels: the same size on every display.
    font.setPixelSize(int(TooltipGeometry::fontPointSize));
    font.setWeight(QFont::Medium);
    return font;
}

void TooltipPanel::setTitle(const QString &title)
{
    m_title = title;
    update();
}

QSizeF TooltipPanel::fittingSize() const
{
    const QFontMetricsF metrics(titleFont());
    return TooltipGeometry::panelSize(QSizeF(metrics.horizontalAdvance(m_title), metrics.height()));
}

void TooltipPanel::resizeEvent(QResizeEvent *event)
{
    // Without a compositor a translucent window's corners come out black;
    // the window is cut to the bubble's rounded shape so they never show.
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(rect()), TooltipGeometry::cornerRadius, TooltipGeometry::cornerRadius);
    setMask(QRegion(bubble.toFillPolygon().toPolygon()));
    QWidget::resizeEvent(event);
}

void TooltipPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal radius = TooltipGeometry::cornerRadius;
    // The 1-point outline is centred on the bubble's edge; the bubble is
    // inset by half of it so the outline is not cut by the window.
    const QRectF bubble = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath path;
    path.addRoundedRect(bubble, radius, radius);
    painter.fillPath(path, QColor::fromRgbF(0.10f, 0.11f, 0.14f, 0.97f));
    painter.setPen(QPen(QColor::fromRgbF(1, 1, 1, 0.16f), 1));
    painter.drawPath(path);

    painter.setFont(titleFont());
    painter.setPen(Qt::white);
    const QRectF text = QRectF(rect()).adjusted(TooltipGeometry::horizontalPadding, TooltipGeometry::verticalPadding,
                                                -TooltipGeometry::horizontalPadding, -TooltipGeometry::verticalPadding);
    painter.drawText(text, Qt::AlignCenter | Qt::TextSingleLine, m_title);
}

} // namespace Velmora
