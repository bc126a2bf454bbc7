#pragma once

#include "services/dockedge.h"

#include <QAbstractButton>

namespace Velmora {

// A card that moves the Dock to one side: the miniature screen with the
// Dock at that edge above "Move to the Left" (or Right). The whole card is
// the hit area; it lights up in the accent colour while the pointer is over it.
class DockChoiceButton : public QAbstractButton
{
    Q_OBJECT
public:
    explicit DockChoiceButton(DockEdge edge, QWidget *parent = nullptr);

    DockEdge edge() const { return m_edge; }
    bool isHovered() const { return m_isHovered; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void setHovered(bool hovered);

    DockEdge m_edge;
    bool m_isHovered = false;
};

} // namespace Velmora
