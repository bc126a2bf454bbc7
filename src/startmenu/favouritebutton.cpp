#include "startmenu/favouritebutton.h"

#include "startmenu/model/startmenuviewmodel.h"
#include "startmenu/startmenustyle.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace Velmora {

FavouriteButton::FavouriteButton(StartMenuViewModel &model, FileIcons &icons, const FinderFavorite &favourite,
                                 QWidget *parent)
    : QWidget(parent)
    , m_model(model)
    , m_icons(icons)
    , m_favourite(favourite)
    , m_icon(favourite.icon(icons))
{
    setAttribute(Qt::WA_Hover);
    setAttribute(Qt::WA_AlwaysShowToolTips);
    setToolTip(favourite.name);
    setAccessibleName(favourite.name);
}

void FavouriteButton::setFavourite(const FinderFavorite &favourite)
{
    if (favourite == m_favourite)
        return;
    m_favourite = favourite;
    m_icon = favourite.icon(m_icons);
    setToolTip(favourite.name);
    setAccessibleName(favourite.name);
    update();
}

QSize FavouriteButton::sizeHint() const
{
    return {140, int(rowHeight())};
}

void FavouriteButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    if (m_hovering) {
        QPainterPath shape;
        shape.addRoundedRect(QRectF(rect()), cornerRadius, cornerRadius);
        painter.fillPath(shape, StartMenuStyle::white(StartMenuStyle::hoverOpacity));
    }
    const QRectF icon(padding, (height() - iconSide) / 2, iconSide, iconSide);
    m_icon.paint(&painter, icon.toAlignedRect());
    const QFont font = StartMenuStyle::font(14, QFont::Medium);
    const QRectF text(icon.right() + spacing, 0, std::max<qreal>(0, width() - padding - icon.right() - spacing),
                      height());
    painter.setFont(font);
    painter.setPen(StartMenuStyle::primaryText());
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     QFontMetricsF(font).elidedText(m_favourite.name, Qt::ElideRight, text.width()));
}

void FavouriteButton::enterEvent(QEnterEvent *event)
{
    m_hovering = true;
    update();
    QWidget::enterEvent(event);
}

void FavouriteButton::leaveEvent(QEvent *event)
{
    m_hovering = false;
    update();
    QWidget::leaveEvent(event);
}

void FavouriteButton::mousePressEvent(QMouseEvent *event)
{
    event->setAccepted(event->button() == Qt::LeftButton);
}

void FavouriteButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        m_model.openFavourite(m_favourite);
}

} // namespace Velmora
