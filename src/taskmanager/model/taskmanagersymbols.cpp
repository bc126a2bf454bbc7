#include "taskmanager/model/taskmanagersymbols.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QtMath>

namespace Velmora::TaskManagerSymbols {

namespace {

// Every symbol is drawn in a 24-unit square scaled into the rectangle.
constexpr qreal unit = 24;

void chip(QPainter &p, qreal pins)
{
    p.drawRoundedRect(QRectF(6, 6, 12, 12), 2, 2);
    for (int i = 0; i < int(pins); ++i) {
        const qreal at = 8 + i * (8 / (pins - 1));
        p.drawLine(QPointF(at, 2.5), QPointF(at, 6));
        p.drawLine(QPointF(at, 18), QPointF(at, 21.5));
        p.drawLine(QPointF(2.5, at), QPointF(6, at));
        p.drawLine(QPointF(18, at), QPointF(21.5, at));
    }
}

void memoryChip(QPainter &p)
{
    p.drawRoundedRect(QRectF(2.5, 7, 19, 10), 2, 2);
    for (int i = 0; i < 4; ++i) {
        const qreal x = 6 + i * 4;
        p.drawLine(QPointF(x, 17), QPointF(x, 20.5));
        p.drawRect(QRectF(x - 1, 10, 2, 4));
    }
}

void drive(QPainter &p)
{
    p.drawRoundedRect(QRectF(2.5, 6.5, 19, 11), 3, 3);
    p.drawLine(QPointF(2.5, 12), QPointF(21.5, 12));
    p.setBrush(p.pen().color());
    p.drawEllipse(QPointF(17.5, 14.8), 1, 1);
}

void globe(QPainter &p)
{
    p.drawEllipse(QPointF(12, 12), 9, 9);
    p.drawEllipse(QPointF(12, 12), 4, 9);
    p.drawLine(QPointF(3, 12), QPointF(21, 12));
    p.drawLine(QPointF(12, 3), QPointF(12, 21));
}

void magnifier(QPainter &p)
{
    p.drawEllipse(QPointF(10, 10), 6, 6);
    p.drawLine(QPointF(14.5, 14.5), QPointF(20.5, 20.5));
}

void cross(QPainter &p, qreal inset)
{
    p.drawLine(QPointF(inset, inset), QPointF(unit - inset, unit - inset));
    p.drawLine(QPointF(unit - inset, inset), QPointF(inset, unit - inset));
}

void crossInDisc(QPainter &p, const QColor &color)
{
    // The cross is cut out of the disc, so it shows what lies behind.
    QPainterPath disc;
    disc.addEllipse(QPointF(12, 12), 10, 10);
    QPainterPath cross;
    cross.moveTo(8.2, 8.2);
    cross.lineTo(15.8, 15.8);
    cross.moveTo(15.8, 8.2);
    cross.lineTo(8.2, 15.8);
    QPainterPathStroker stroker;
    stroker.setWidth(2.4);
    stroker.setCapStyle(Qt::RoundCap);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPath(disc.subtracted(stroker.createStroke(cross)));
}

void chevron(QPainter &p, bool up)
{
    const qreal tip = up ? 8 : 16;
    const qreal base = up ? 16 : 8;
    p.drawPolyline(QPolygonF { QPointF(5, base), QPointF(12, tip), QPointF(19, base) });
}

void gear(QPainter &p)
{
    QPainterPath path;
    constexpr int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
        const qreal angle = M_PI * 2 * i / (teeth * 2);
        const qreal r = (i % 2 == 0) ? 10 : 7.6;
        const QPointF at(12 + r * qCos(angle), 12 + r * qSin(angle));
        if (i == 0)
            path.moveTo(at);
        else
            path.lineTo(at);
    }
    path.closeSubpath();
    path.addEllipse(QPointF(12, 12), 3.2, 3.2);
    p.setPen(Qt::NoPen);
    p.setBrush(p.brush().color());
    p.drawPath(path);
}

class SymbolEngine final : public QIconEngine
{
public:
    SymbolEngine(QString name, std::function<void(QPainter &, const QRectF &)> draw)
        : m_name(std::move(name))
        , m_draw(std::move(draw))
    {
    }
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode, QIcon::State) override
    {
        m_draw(*painter, rect);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(), size), mode, state);
        return pixmap;
    }
    QIconEngine *clone() const override { return new SymbolEngine(m_name, m_draw); }
    QString key() const override { return QStringLiteral("velmora-symbol"); }
    QString iconName() override { return m_name; }

private:
    QString m_name;
    std::function<void(QPainter &, const QRectF &)> m_draw;
};

} // namespace

bool isKnown(const QString &name)
{
    static const QStringList known { QStringLiteral("cpu"), QStringLiteral("memorychip"),
        QStringLiteral("internaldrive"), QStringLiteral("network"), QStringLiteral("magnifyingglass"),
        QStringLiteral("xmark"), QStringLiteral("xmark.circle.fill"), QStringLiteral("chevron.up"),
        QStringLiteral("chevron.down"), QStringLiteral("gearshape") };
    return known.contains(name);
}

void draw(QPainter &painter, const QString &name, const QRectF &rect, const QColor &color)
{
    if (!isKnown(name) || rect.isEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    // Square, centred in the rectangle.
    const qreal side = std::min(rect.width(), rect.height());
    painter.translate(rect.center().x() - side / 2, rect.center().y() - side / 2);
    painter.scale(side / unit, side / unit);
    const qreal weight = name.startsWith(QLatin1String("chevron")) ? 3.2 : 1.8;
    painter.setPen(QPen(color, weight, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    if (name == QLatin1String("cpu"))
        chip(painter, 3);
    else if (name == QLatin1String("memorychip"))
        memoryChip(painter);
    else if (name == QLatin1String("internaldrive"))
        drive(painter);
    else if (name == QLatin1String("network"))
        globe(painter);
    else if (name == QLatin1String("magnifyingglass"))
        magnifier(painter);
    else if (name == QLatin1String("xmark"))
        cross(painter, 6);
    else if (name == QLatin1String("xmark.circle.fill"))
        crossInDisc(painter, color);
    else if (name == QLatin1String("chevron.up") || name == QLatin1String("chevron.down"))
        chevron(painter, name == QLatin1String("chevron.up"));
    else if (name == QLatin1String("gearshape")) {
        painter.setBrush(color);
        gear(painter);
    }
    painter.restore();
}

QIcon icon(const QString &name, const QColor &color)
{
    return drawnIcon(name, [name, color](QPainter &painter, const QRectF &rect) { draw(painter, name, rect, color); });
}

QIcon drawnIcon(const QString &name, std::function<void(QPainter &, const QRectF &)> draw)
{
    return QIcon(new SymbolEngine(name, std::move(draw)));
}

} // namespace Velmora::TaskManagerSymbols
