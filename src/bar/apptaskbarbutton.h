#pragma once

#include "bar/model/appbuttonmodel.h"

#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include <optional>

namespace Velmora {

class BarViewModel;
class FileIcons;

// One app's 44-point button on the bar: the app's icon, the hover highlight,
// the small running indicator. It paints from its AppButtonModel and hands
// presses, drags and hovers to the bar's view-model; the right-click menu is
// attached by the bar.
class AppTaskbarButton : public QWidget
{
    Q_OBJECT
public:
    AppTaskbarButton(BarViewModel &bar, AppButtonModel &model, FileIcons &icons, QWidget *parent = nullptr);
    ~AppTaskbarButton() override;

    AppButtonModel *model() const { return m_model; }
    QString appID() const;
    QSize sizeHint() const override;

    // How present the button is while it comes onto or leaves the bar: its
    // opacity, and (unless motion is reduced) its scale, from `hiddenScale`
    // at 0 to full size at 1.
    void setPresence(qreal presence, qreal hiddenScale);
    qreal presence() const { return m_presence; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    const QPixmap &iconPixmap();
    QPixmap drawnFallback(qreal devicePixelRatio) const;

    BarViewModel &m_bar;
    QPointer<AppButtonModel> m_model;
    FileIcons &m_icons;
    // The icon at the current resolution, drawn again only when the app or
    // the resolution changes.
    QPixmap m_icon;
    // Where the press began, in global coordinates, while one is held.
    std::optional<QPointF> m_pressOrigin;
    qreal m_presence = 1;
    qreal m_hiddenScale = 1;
};

} // namespace Velmora
