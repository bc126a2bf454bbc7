#pragma once

#include <QWidget>

#include <optional>

namespace Velmora {

class WindowPreviewScrollerModel;

// The picker's horizontal scroll bar: 14 points high and never drawn, but
// there to be pressed like any scroll bar: the knob is dragged, a press
// beside it pages towards the press. The knob the user sees is a
// PreviewScrollKnobView laid over it, placed from the same model.
class ThinPreviewScroller : public QWidget
{
    Q_OBJECT
public:
    static constexpr int height = 14;

    explicit ThinPreviewScroller(WindowPreviewScrollerModel &model, QWidget *parent = nullptr);

    // The knob in this widget's coordinates, when there is one.
    std::optional<QRectF> knobRect() const;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    WindowPreviewScrollerModel &m_model;
    // While the knob is held: where the press was and the offset then.
    std::optional<qreal> m_pressX;
    qreal m_pressOffset = 0;
};

} // namespace Velmora
