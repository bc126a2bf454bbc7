#pragma once

#include "bar/model/animator.h"

#include <QAbstractButton>

namespace Velmora {

// The small symbol buttons of a window card: the close button over its top
// trailing corner, the rename pencil and the rename editor's save and cancel
// buttons. Each brightens as the pointer comes over it and reports that, so
// the card can keep its tooltip away meanwhile.
class CardSymbolButton : public QAbstractButton
{
    Q_OBJECT
public:
    enum class Style {
        Close, // 36 points: dark, turning red, growing and casting a shadow on hover
        Plain, // 22 points: a faint symbol that lights up on a faint square
    };

    CardSymbolButton(Style style, const QString &symbol, Animator &animator, QWidget *parent = nullptr);
    ~CardSymbolButton() override;

    Style style() const { return m_style; }
    // The visible square, in points; the widget leaves room around it for
    // the close button's growth and shadow.
    qreal side() const;
    // Where the visible square lies in the widget.
    QRectF face() const;
    bool isHovered() const { return m_hovered; }
    // How far the hover look has come, 0 to 1.
    qreal hoverAmount() const { return m_hover.value(); }

    QSize sizeHint() const override;

signals:
    void hoveredChanged(bool hovered);

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool hitButton(const QPoint &pos) const override;

private:
    void setHovered(bool hovered);
    qreal margin() const;

    Style m_style;
    QString m_symbol;
    bool m_hovered = false;
    AnimatedValue m_hover;
};

} // namespace Velmora
