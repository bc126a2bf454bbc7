#include "onboarding/dockchoicebutton.h"

#include "app/model/velmorapalette.h"
#include "onboarding/dockillustration.h"
#include "onboarding/model/dockpage.h"
#include "onboarding/onboardingstyle.h"

#include <QPainter>

namespace Velmora {

namespace {
constexpr int padding = 14;
constexpr int spacing = 10;
constexpr qreal hoverScale = 1.04;
} // namespace

DockChoiceButton::DockChoiceButton(DockEdge edge, QWidget *parent)
    : QAbstractButton(parent)
    , m_edge(edge)
{
    setText(DockPage::choiceCaption(edge));
    setFont(OnboardingStyle::font(13, QFont::Medium));
    // Set on this widget only: it goes with the card, never left behind.
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize DockChoiceButton::sizeHint() const
{
    return QSize(DockIllustration::size.width() + 2 * padding,
        padding + DockIllustration::size.height() + spacing + fontMetrics().height() + padding);
}

QSize DockChoiceButton::minimumSizeHint() const
{
    return sizeHint();
}

void DockChoiceButton::enterEvent(QEnterEvent *event)
{
    setHovered(true);
    QAbstractButton::enterEvent(event);
}

void DockChoiceButton::leaveEvent(QEvent *event)
{
    setHovered(false);
    QAbstractButton::leaveEvent(event);
}

void DockChoiceButton::setHovered(bool hovered)
{
    if (hovered == m_isHovered)
        return;
    m_isHovered = hovered;
    update();
}

void DockChoiceButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QColor fill = OnboardingStyle::accent();
    fill.setAlphaF(0.1f);
    QColor stroke = OnboardingStyle::accent();
    stroke.setAlphaF(0.7f);
    if (!m_isHovered) {
        fill = VelmoraPalette::card();
        stroke = OnboardingStyle::primary(0.07);
    }
    if (isDown())
        fill = fill.lighter(130);
    OnboardingStyle::paintCard(painter, QRectF(rect()), fill, stroke);

    QRectF picture(QPointF(0, 0), QSizeF(DockIllustration::size) * (m_isHovered ? hoverScale : 1.0));
    picture.moveCenter(QPointF(width() / 2.0, padding + DockIllustration::size.height() / 2.0));
    DockIllustration::paint(painter, picture, m_edge, false);

    painter.setFont(font());
    painter.setPen(m_isHovered ? OnboardingStyle::accent() : OnboardingStyle::primary());
    painter.drawText(QRectF(0, padding + DockIllustration::size.height() + spacing, width(), fontMetrics().height()),
        Qt::AlignCenter, text());
}

} // namespace Velmora
