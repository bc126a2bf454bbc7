#pragma once

#include <QColor>
#include <QWidget>

class QVBoxLayout;

namespace Velmora {

// A rounded card (radius 10) with 14 points of padding around what its
// layout holds: the instruction card, the warning box, the hints and the
// done page's status card.
class OnboardingCard : public QWidget
{
    Q_OBJECT
public:
    OnboardingCard(const QColor &fill, const QColor &stroke, int padding = 14, QWidget *parent = nullptr);

    QVBoxLayout *content() const { return m_content; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_fill;
    QColor m_stroke;
    QVBoxLayout *m_content;
};

} // namespace Velmora
