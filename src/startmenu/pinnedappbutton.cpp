#include "startmenu/pinnedappbutton.h"

#include "bar/appcontextmenu.h"
#include "startmenu/model/startmenuviewmodel.h"
#include "startmenu/startappcontextmenu.h"
#include "startmenu/startmenustyle.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace Velmora {

PinnedAppButton::PinnedAppButton(StartMenuViewModel &model, FileIcons &icons, const AppItem &app, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
    , m_icons(icons)
    , m_app(app)
    , m_icon(app.icon(icons))
{
    setAttribute(Qt::WA_Hover);
    // The popover is shown without the keyboard; the name still shows.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    setToolTip(app.name);
    setAccessibleName(app.name);
}

void PinnedAppButton::setApp(const AppItem &app)
{
    if (app == m_app)
        return;
    m_app = app;
    m_icon = app.icon(m_icons);
    setToolTip(app.name);
    setAccessibleName(app.name);
    update();
}

void PinnedAppButton::setDragging(bool dragging)
{
    if (dragging == m_dragging)
        return;
    m_dragging = dragging;
    if (dragging)
        raise();
    update();
}

QRectF PinnedAppButton::tileRect() const
{
    return QRectF(rect()).adjusted(margin, margin, -margin, -margin);
}

void PinnedAppButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    QRectF tile = tileRect();
    if (m_dragging) {
        const QPointF centre = tile.center();
        tile.setSize(tile.size() * draggedScale);
        tile.moveCenter(centre);
        // A soft shadow 4 points below the lifted tile.
        for (int i = 4; i >= 1; --i) {
            QPainterPath shadow;
            const QRectF ring = tile.translated(0, 4).adjusted(-i * 1.5, -i * 1.5, i * 1.5, i * 1.5);
            shadow.addRoundedRect(ring, cornerRadius + i * 1.5, cornerRadius + i * 1.5);
            painter.fillPath(shadow, QColor::fromRgbF(0, 0, 0, 0.06f));
        }
    }
    if (m_dragging || m_hovering) {
        QPainterPath shape;
        shape.addRoundedRect(tile, cornerRadius, cornerRadius);
        painter.fillPath(shape, StartMenuStyle::white(StartMenuStyle::hoverOpacity));
    }
    const qreal padding = 4 * (m_dragging ? draggedScale : 1);
    m_icon.paint(&painter, tile.adjusted(padding, padding, -padding, -padding).toAlignedRect());
}

void PinnedAppButton::enterEvent(QEnterEvent *event)
{
    m_hovering = true;
    update();
    QWidget::enterEvent(event);
}

void PinnedAppButton::leaveEvent(QEvent *event)
{
    m_hovering = false;
    update();
    QWidget::leaveEvent(event);
}

void PinnedAppButton::mousePressEvent(QMouseEvent *event)
{
    if (AppContextMenu::isMenuClick(event->button(), event->modifiers())) {
        losePress();
        StartAppContextMenu::popUp(m_model, m_app, event->globalPosition().toPoint(), this);
        return;
    }
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    m_pressAt = event->globalPosition();
    m_model.pressTile(m_app);
}

void PinnedAppButton::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_pressAt)
        return;
    if (!(event->buttons() & Qt::LeftButton)) {
        // The button went up where this tile could not see it.
        losePress();
        return;
    }
    m_model.dragTile(m_app, event->globalPosition() - *m_pressAt);
}

void PinnedAppButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_pressAt)
        return;
    const QPointF translation = event->globalPosition() - *std::exchange(m_pressAt, std::nullopt);
    // Only this release opens the app (the tile has no click of its own);
    // opening may close the menu and take this tile with it.
    m_model.releaseTile(m_app, translation);
}

void PinnedAppButton::hideEvent(QHideEvent *event)
{
    losePress();
    QWidget::hideEvent(event);
}

bool PinnedAppButton::event(QEvent *event)
{
    // Another window took the pointer (a menu, a window that came up).
    if (event->type() == QEvent::WindowDeactivate || event->type() == QEvent::TouchCancel)
        losePress();
    return QWidget::event(event);
}

void PinnedAppButton::losePress()
{
    if (!std::exchange(m_pressAt, std::nullopt))
        return;
    if (m_model.drag().isDragging(m_app.id))
        m_model.cancelTileDrag();
}

} // namespace Velmora
