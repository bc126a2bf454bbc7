#pragma once

#include "bar/model/animator.h"

#include <QAbstractButton>

namespace Velmora {

class CardTooltip;

// The picker header's "+" button, which opens a new window of the app
// through its own menu command. Its title (the command's) is its tooltip
// and its accessible name; hovering brightens it.
class NewWindowButton : public QAbstractButton
{
    Q_OBJECT
public:
    static constexpr int side = 24;
    static constexpr qreal cornerRadius = 6;
    static constexpr qint64 hoverFadeMs = 120;

    NewWindowButton(Animator &animator, CardTooltip &tooltip, QWidget *parent = nullptr);

    void setTitle(const QString &title);
    QString title() const { return m_title; }
    bool isHovered() const { return m_hovered; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void setHovered(bool hovered);

    CardTooltip &m_tooltip;
    QString m_title;
    bool m_hovered = false;
    AnimatedValue m_hover;
};

} // namespace Velmora
