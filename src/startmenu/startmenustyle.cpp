#include "startmenu/startmenustyle.h"

#include "bar/barsymbols.h"

#include <QAbstractScrollArea>
#include <QPainter>
#include <QApplication>
#include <QScrollBar>

namespace Velmora::StartMenuStyle {

QFont font(qreal pointSize, QFont::Weight weight)
{
    QFont font = QApplication::font();
    // Sizes are in points of the product's coordinate space, which map one
    // to one onto pixels here.
    font.setPixelSize(int(pointSize + 0.5));
    font.setWeight(weight);
    return font;
}

QPixmap symbol(const QString &name, int side, const QColor &colour, qreal devicePixelRatio)
{
    QPixmap pixmap = BarSymbols::icon(name).pixmap(QSize(side, side), devicePixelRatio);
    if (pixmap.isNull())
        return pixmap;
    QPainter tint(&pixmap);
    tint.setCompositionMode(QPainter::CompositionMode_SourceIn);
    tint.fillRect(pixmap.rect(), colour);
    return pixmap;
}

void makeTransparent(QAbstractScrollArea *area)
{
    area->setFrameShape(QFrame::NoFrame);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area->setAttribute(Qt::WA_TranslucentBackground);
    area->viewport()->setAutoFillBackground(false);
    area->setAutoFillBackground(false);
    area->setStyleSheet(QStringLiteral(
        "QAbstractScrollArea, QAbstractScrollArea > QWidget, QAbstractScrollArea > QWidget > QWidget"
        " { background: transparent; }"
        "QScrollBar:vertical { background: transparent; width: 8px; margin: 2px 1px 2px 0; }"
        "QScrollBar::handle:vertical { background: rgba(255, 255, 255, 60); border-radius: 3px; min-height: 28px; }"
        "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
        "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: transparent; }"));
}

} // namespace Velmora::StartMenuStyle
