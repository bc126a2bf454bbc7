#include "onboarding/onboardingcard.h"

#include "onboarding/onboardingstyle.h"

#include <QPainter>
#include <QVBoxLayout>

namespace Velmora {

OnboardingCard::OnboardingCard(const QColor &fill, const QColor &stroke, int padding, QWidget *parent)
    : QWidget(parent)
    , m_fill(fill)
    , m_stroke(stroke)
    , m_content(new QVBoxLayout(this))
{
    m_content->setContentsMargins(padding, padding, padding, padding);
    m_content->setSpacing(0);
}

void OnboardingCard::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    OnboardingStyle::paintCard(painter, QRectF(rect()), m_fill, m_stroke);
}

} // namespace Velmora
