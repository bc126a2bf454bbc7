#pragma once

#include "store/appitem.h"

#include <QPointF>
#include <QWidget>

#include <optional>

namespace Velmora {

class FileIcons;
class StartMenuViewModel;

// One tile of the Start menu's pinned grid: the app's icon, no name (the
// name is the tooltip and what assistive tools read). The pointer lights it;
// a left press is the grid's press: it may become a drag that reorders the
// pins, and a release that did not travel opens the app, once. A right-click
// opens the entry's context menu. While dragged the tile is drawn larger,
// lit and with a shadow, above its neighbours.
class PinnedAppButton : public QWidget
{
    Q_OBJECT
public:
    static constexpr qreal cornerRadius = 14;
    static constexpr qreal draggedScale = 1.08;
    // Room around the tile for the dragged look's growth and shadow.
    static constexpr int margin = 12;

    PinnedAppButton(StartMenuViewModel &model, FileIcons &icons, const AppItem &app, QWidget *parent = nullptr);

    const AppItem &app() const { return m_app; }
    void setApp(const AppItem &app);
    void setDragging(bool dragging);
    bool isDragging() const { return m_dragging; }
    bool isHovering() const { return m_hovering; }
    // The tile's own rectangle, inside the margin.
    QRectF tileRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool event(QEvent *event) override;

private:
    // The press never got its release: the drag ends without committing.
    void losePress();

    StartMenuViewModel &m_model;
    FileIcons &m_icons;
    AppItem m_app;
    QIcon m_icon;
    bool m_hovering = false;
    bool m_dragging = false;
    // Where the left press began, in global coordinates.
    std::optional<QPointF> m_pressAt;
};

} // namespace Velmora
