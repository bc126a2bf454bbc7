#include "startmenu/startapprow.h"

#include "bar/appcontextmenu.h"
#include "startmenu/model/startmenuviewmodel.h"
#include "startmenu/startappcontextmenu.h"
#include "startmenu/startmenustyle.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace Velmora {

StartAppRow::StartAppRow(StartMenuViewModel &model, FileIcons &icons, const AppItem &app, qreal iconSize,
                         QWidget *parent)
    : QWidget(parent)
    , m_model(model)
    , m_icons(icons)
    , m_app(app)
    , m_icon(app.icon(icons))
    , m_iconSize(iconSize)
{
    setAttribute(Qt::WA_Hover);
    setAccessibleName(app.name);
    setCursor(Qt::ArrowCursor);
}

void StartAppRow::setApp(const AppItem &app)
{
    if (app == m_app)
        return;
    m_app = app;
    m_icon = app.icon(m_icons);
    setAccessibleName(app.name);
    update();
}

QSize StartAppRow::sizeHint() const
{
    return {200, int(height(m_iconSize))};
}

void StartAppRow::paint(QPainter &painter, const QRectF &rect, const QIcon &icon, const QString &name, qreal iconSize,
                        bool hovering)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (hovering) {
        QPainterPath shape;
        shape.addRoundedRect(rect, cornerRadius, cornerRadius);
        painter.fillPath(shape, StartMenuStyle::white(StartMenuStyle::hoverOpacity));
    }
    const QRectF iconRect(rect.left() + horizontalPadding, rect.center().y() - iconSize / 2, iconSize, iconSize);
    icon.paint(&painter, iconRect.toAlignedRect());
    const qreal textLeft = iconRect.right() + spacing;
    const QRectF textRect(textLeft, rect.top(), std::max<qreal>(0, rect.right() - horizontalPadding - textLeft),
                          rect.height());
    const QFont font = StartMenuStyle::font(14.5, QFont::Medium);
    painter.setFont(font);
    painter.setPen(StartMenuStyle::primaryText());
    // One line; a long name is cut at its end.
    const QString shown = QFontMetricsF(font).elidedText(name, Qt::ElideRight, textRect.width());
    painter.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, shown);
    painter.restore();
}

void StartAppRow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paint(painter, QRectF(rect()), m_icon, m_app.name, m_iconSize, m_hovering);
}

void StartAppRow::enterEvent(QEnterEvent *event)
{
    m_hovering = true;
    update();
    QWidget::enterEvent(event);
}

void StartAppRow::leaveEvent(QEvent *event)
{
    m_hovering = false;
    update();
    QWidget::leaveEvent(event);
}

void StartAppRow::mousePressEvent(QMouseEvent *event)
{
    if (AppContextMenu::isMenuClick(event->button(), event->modifiers())) {
        m_hovering = false;
        update();
        StartAppContextMenu::popUp(m_model, m_app, event->globalPosition().toPoint(), this);
        return;
    }
    event->setAccepted(event->button() == Qt::LeftButton);
}

void StartAppRow::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        m_model.open(m_app);
}

} // namespace Velmora
