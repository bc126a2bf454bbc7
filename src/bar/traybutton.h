#pragma once

#include <QAbstractButton>

namespace Velmora {

// The tray's warning button: an orange shield with an exclamation mark on a
// 28 by 34 point hit area, whose rounded white fill shows hover and press.
class TrayButton : public QAbstractButton
{
    Q_OBJECT
public:
    explicit TrayButton(QWidget *parent = nullptr);

    QSize sizeHint() const override;
    bool isHovering() const { return m_hovering; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    bool hitButton(const QPoint &pos) const override { return rect().contains(pos); }

private:
    bool m_hovering = false;
};

} // namespace Velmora
