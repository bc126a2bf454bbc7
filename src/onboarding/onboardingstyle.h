#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>

class QLabel;
class QPainter;

namespace Velmora::OnboardingStyle {

// The colours of the dark onboarding window, over VelmoraPalette::window().
QColor accent(); // the system blue
QColor primary(qreal opacity = 1); // white
QColor secondary(); // white at 55 %
QColor green();
QColor orange();

// The system font at `points` (sizes are given as the design gives them:
// in points of a 72-dpi screen, so they are pixel sizes here).
QFont font(qreal points, QFont::Weight weight = QFont::Normal);

// A label that wraps to its full height. Words between double asterisks are
// shown bold; everything else is plain text.
QLabel *label(const QString &text, qreal points, QFont::Weight weight = QFont::Normal,
    const QColor &colour = primary());
// "**Bold** and plain" as rich text, with the plain parts escaped.
QString boldMarkup(const QString &text);

// A card: `fill` in a rounded rectangle of radius 10, stroked inside its
// border in `stroke`, 1 point wide.
void paintCard(QPainter &painter, const QRectF &rect, const QColor &fill, const QColor &stroke);

// The symbols the pages show, drawn in code.
enum class Symbol {
    checkmarkCircle,
    xmarkCircle,
    exclamationTriangle,
    exclamationBubble,
    arrowDownCircle,
    chevronLeft,
    dockRectangle,
    accessibility,
    rectangleOnRectangle,
};
void drawSymbol(QPainter &painter, Symbol symbol, const QRectF &rect, const QColor &colour);

} // namespace Velmora::OnboardingStyle
