#pragma once

#include <QColor>
#include <QFont>
#include <QPixmap>

class QAbstractScrollArea;

// The Start menu's look, shared by its parts.
namespace Velmora::StartMenuStyle {

// White at `opacity`: highlights, hairlines, the search capsule.
inline QColor white(qreal opacity) { return QColor::fromRgbF(1, 1, 1, float(opacity)); }
inline QColor primaryText() { return white(0.92); }
inline QColor secondaryText() { return white(0.55); }
// The veil over the flyout's frosted background.
inline QColor tint() { return QColor::fromRgbF(0.08f, 0.09f, 0.12f, 0.6f); }
inline constexpr qreal hoverOpacity = 0.09;

// The system font at `pointSize` and `weight`.
QFont font(qreal pointSize, QFont::Weight weight = QFont::Normal);
// A named system symbol at `side` points in `colour`; empty when unknown.
QPixmap symbol(const QString &name, int side, const QColor &colour, qreal devicePixelRatio);
// A scroll area that shows its content over the menu's background, with a
// thin scroller.
void makeTransparent(QAbstractScrollArea *area);

} // namespace Velmora::StartMenuStyle
