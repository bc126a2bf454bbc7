#pragma once

#include <QWidget>

namespace Velmora {

// The thin knob drawn over the picker's invisible scroll bar: a rounded bar
// in the label colour at a third of its strength, dark on a light picker
// and light on a dark one. It never takes the mouse; presses reach the
// scroll bar under it.
class PreviewScrollKnobView : public QWidget
{
    Q_OBJECT
public:
    explicit PreviewScrollKnobView(QWidget *parent = nullptr);

    static constexpr qreal labelAlpha = 0.35;

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace Velmora
