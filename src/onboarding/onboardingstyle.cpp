#include "onboarding/onboardingstyle.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>

namespace Velmora::OnboardingStyle {

QColor accent()
{
    return QColor(10, 132, 255);
}

QColor primary(qreal opacity)
{
    return QColor::fromRgbF(1, 1, 1, float(opacity));
}

QColor secondary()
{
    return primary(0.55);
}

QColor green()
{
    return QColor(48, 209, 88);
}

QColor orange()
{
    return QColor(255, 159, 10);
}

QFont font(qreal points, QFont::Weight weight)
{
    QFont f;
    f.setPixelSize(qRound(points));
    f.setWeight(weight);
    return f;
}

QString boldMarkup(const QString &text)
{
    const QStringList parts = text.split(QStringLiteral("**"));
    QString html;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString escaped = parts[i].toHtmlEscaped();
        html += i % 2 ? QStringLiteral("<b>") + escaped + QStringLiteral("</b>") : escaped;
    }
    return html;
}

QLabel *label(const QString &text, qreal points, QFont::Weight weight, const QColor &colour)
{
    auto *label = new QLabel;
    label->setWordWrap(true);
    label->setFont(font(points, weight));
    label->setTextFormat(Qt::RichText);
    label->setText(boldMarkup(text));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    // Its height follows its width: it takes the lines it wraps to, no more.
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Minimum);
    policy.setHeightForWidth(true);
    label->setSizePolicy(policy);
    return label;
}

void paintCard(QPainter &painter, const QRectF &rect, const QColor &fill, const QColor &stroke)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRoundedRect(rect, 10, 10);
    painter.setPen(QPen(stroke, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), 9.5, 9.5);
    painter.restore();
}

namespace {

void circleWith(QPainter &painter, const QRectF &r, const QColor &colour, const std::function<void()> &mark)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawEllipse(r);
    // The mark is cut out of the circle in the window's colour.
    painter.setPen(QPen(QColor(30, 32, 38), r.width() * 0.11, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    mark();
}

} // namespace

void drawSymbol(QPainter &painter, Symbol symbol, const QRectF &rect, const QColor &colour)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal s = std::min(rect.width(), rect.height());
    const QRectF r(rect.center() - QPointF(s / 2, s / 2), QSizeF(s, s));
    const auto at = [&](qreal x, qreal y) { return QPointF(r.left() + x * s, r.top() + y * s); };
    switch (symbol) {
    case Symbol::checkmarkCircle:
        circleWith(painter, r, colour, [&] {
            QPainterPath path(at(0.28, 0.52));
            path.lineTo(at(0.44, 0.67));
            path.lineTo(at(0.72, 0.35));
            painter.drawPath(path);
        });
        break;
    case Symbol::xmarkCircle:
        circleWith(painter, r, colour, [&] {
            painter.drawLine(at(0.34, 0.34), at(0.66, 0.66));
            painter.drawLine(at(0.66, 0.34), at(0.34, 0.66));
        });
        break;
    case Symbol::arrowDownCircle:
        circleWith(painter, r, colour, [&] {
            painter.drawLine(at(0.5, 0.26), at(0.5, 0.72));
            QPainterPath head(at(0.31, 0.53));
            head.lineTo(at(0.5, 0.72));
            head.lineTo(at(0.69, 0.53));
            painter.drawPath(head);
        });
        break;
    case Symbol::exclamationTriangle: {
        QPainterPath triangle(at(0.5, 0.06));
        triangle.lineTo(at(0.97, 0.9));
        triangle.lineTo(at(0.03, 0.9));
        triangle.closeSubpath();
        painter.setPen(QPen(colour, s * 0.08, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(colour);
        painter.drawPath(triangle);
        painter.setPen(QPen(QColor(30, 32, 38), s * 0.11, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(at(0.5, 0.34), at(0.5, 0.6));
        painter.drawPoint(at(0.5, 0.76));
        break;
    }
    case Symbol::exclamationBubble: {
        QPainterPath bubble;
        bubble.addRoundedRect(QRectF(at(0.04, 0.08), at(0.96, 0.76)), s * 0.2, s * 0.2);
        QPainterPath tail(at(0.22, 0.7));
        tail.lineTo(at(0.16, 0.96));
        tail.lineTo(at(0.46, 0.74));
        tail.closeSubpath();
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawPath(bubble.united(tail));
        painter.setPen(QPen(QColor(30, 32, 38), s * 0.11, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(at(0.5, 0.22), at(0.5, 0.44));
        painter.drawPoint(at(0.5, 0.6));
        break;
    }
    case Symbol::chevronLeft: {
        QPainterPath path(at(0.62, 0.2));
        path.lineTo(at(0.34, 0.5));
        path.lineTo(at(0.62, 0.8));
        painter.setPen(QPen(colour, s * 0.13, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(path);
        break;
    }
    case Symbol::dockRectangle:
        painter.setPen(QPen(colour, s * 0.08, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(at(0.06, 0.14), at(0.94, 0.86)), s * 0.12, s * 0.12);
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawRoundedRect(QRectF(at(0.22, 0.64), at(0.78, 0.76)), s * 0.04, s * 0.04);
        break;
    case Symbol::accessibility: {
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawEllipse(QRectF(at(0.41, 0.04), QSizeF(s * 0.18, s * 0.18)));
        painter.setPen(QPen(colour, s * 0.11, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawLine(at(0.12, 0.34), at(0.88, 0.34));
        painter.drawLine(at(0.5, 0.34), at(0.5, 0.6));
        painter.drawLine(at(0.5, 0.6), at(0.3, 0.93));
        painter.drawLine(at(0.5, 0.6), at(0.7, 0.93));
        break;
    }
    case Symbol::rectangleOnRectangle:
        painter.setPen(QPen(colour, s * 0.08, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(at(0.28, 0.14), at(0.94, 0.64)), s * 0.08, s * 0.08);
        painter.setBrush(colour);
        painter.drawRoundedRect(QRectF(at(0.06, 0.36), at(0.72, 0.86)), s * 0.08, s * 0.08);
        break;
    }
    painter.restore();
}

} // namespace Velmora::OnboardingStyle
