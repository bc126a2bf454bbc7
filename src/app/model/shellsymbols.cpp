#include "app/model/shellsymbols.h"

#include "taskmanager/model/taskmanagersymbols.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace Velmora::ShellSymbols {

namespace {

// Symbols are laid out on an 18-unit square.
constexpr qreal unit = 18;

// A four-pointed star with concave sides, `radius` from centre to tip.
QPainterPath star(const QPointF &centre, qreal radius)
{
    QPainterPath path;
    const qreal waist = radius * 0.18;
    path.moveTo(centre + QPointF(0, -radius));
    path.quadTo(centre + QPointF(waist, -waist), centre + QPointF(radius, 0));
    path.quadTo(centre + QPointF(waist, waist), centre + QPointF(0, radius));
    path.quadTo(centre + QPointF(-waist, waist), centre + QPointF(-radius, 0));
    path.quadTo(centre + QPointF(-waist, -waist), centre + QPointF(0, -radius));
    path.closeSubpath();
    return path;
}

void sparkles(QPainter &painter, const QColor &color)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawPath(star(QPointF(7.5, 10.5), 6.5));
    painter.drawPath(star(QPointF(14, 4), 3));
    painter.drawPath(star(QPointF(14.5, 14.5), 2));
}

void arrowDownCircle(QPainter &painter)
{
    painter.drawEllipse(QPointF(9, 9), 7.5, 7.5);
    painter.drawLine(QPointF(9, 4.8), QPointF(9, 12.8));
    painter.drawPolyline(QPolygonF{QPointF(5.8, 9.8), QPointF(9, 13), QPointF(12.2, 9.8)});
}

void arrowClockwise(QPainter &painter)
{
    // An open circle running clockwise from the top, its head at the top right.
    const QRectF circle(2.8, 3.2, 12.4, 12.4);
    painter.drawArc(circle, 60 * 16, 300 * 16);
    const QPointF end(9 + 6.2 * qCos(qDegreesToRadians(60.0)), 9.4 - 6.2 * qSin(qDegreesToRadians(60.0)));
    painter.drawPolyline(QPolygonF{end + QPointF(-3.4, -1.4), end, end + QPointF(-0.6, 3.4)});
}

void power(QPainter &painter)
{
    painter.drawArc(QRectF(2.5, 3, 13, 13), 125 * 16, -250 * 16);
    painter.drawLine(QPointF(9, 1.8), QPointF(9, 8.5));
}

void checkmarkInDisc(QPainter &painter, const QColor &color)
{
    // The check is cut out of the disc, so the badge's tint shows through.
    QPainterPath disc;
    disc.addEllipse(QPointF(9, 9), 8, 8);
    QPainterPathStroker stroker;
    stroker.setWidth(2);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    QPainterPath check;
    check.moveTo(5.2, 9.3);
    check.lineTo(7.9, 12);
    check.lineTo(12.9, 6.2);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawPath(disc.subtracted(stroker.createStroke(check)));
}

} // namespace

bool isKnown(const QString &name)
{
    static const QStringList drawnHere{QStringLiteral("sparkles"), QStringLiteral("arrow.down.circle"),
        QStringLiteral("arrow.clockwise"), QStringLiteral("power"), QStringLiteral("checkmark.circle.fill")};
    return drawnHere.contains(name) || name == QLatin1String("gearshape")
        || name == QLatin1String("xmark.circle.fill");
}

void draw(QPainter &painter, const QString &name, const QRectF &rect, const QColor &color)
{
    if (!isKnown(name) || rect.isEmpty())
        return;
    // The Task Manager draws these two already.
    if (name == QLatin1String("gearshape") || name == QLatin1String("xmark.circle.fill")) {
        TaskManagerSymbols::draw(painter, name, rect, color);
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal side = std::min(rect.width(), rect.height());
    painter.translate(rect.center().x() - side / 2, rect.center().y() - side / 2);
    painter.scale(side / unit, side / unit);
    painter.setPen(QPen(color, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    if (name == QLatin1String("sparkles"))
        sparkles(painter, color);
    else if (name == QLatin1String("arrow.down.circle"))
        arrowDownCircle(painter);
    else if (name == QLatin1String("arrow.clockwise"))
        arrowClockwise(painter);
    else if (name == QLatin1String("power"))
        power(painter);
    else if (name == QLatin1String("checkmark.circle.fill"))
        checkmarkInDisc(painter, color);
    painter.restore();
}

QIcon icon(const QString &name, const QColor &color)
{
    return TaskManagerSymbols::drawnIcon(
        name, [name, color](QPainter &painter, const QRectF &rect) { draw(painter, name, rect, color); });
}

} // namespace Velmora::ShellSymbols
