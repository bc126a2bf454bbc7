#include "onboarding/dockpageview.h"

#include "onboarding/dockchoicebutton.h"
#include "onboarding/dockillustration.h"
#include "onboarding/onboardingbutton.h"
#include "onboarding/onboardingstyle.h"
#include "onboarding/pageheader.h"
#include "onboarding/statusbadge.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace Velmora {

DockPageView::DockPageView(QWidget *parent)
    : QWidget(parent)
    , m_header(new PageHeader(OnboardingStyle::Symbol::dockRectangle))
    , m_layout(new QVBoxLayout(this))
{
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(16);
    m_layout->addWidget(m_header);
}

DockChoiceButton *DockPageView::choice(DockEdge edge) const
{
    return edge == DockEdge::left ? m_left : edge == DockEdge::right ? m_right : nullptr;
}

void DockPageView::display(DockEdge edge, bool autohides)
{
    const DockPage page = DockPage::describe(edge, autohides);
    m_header->setTitle(page.title);
    m_header->setTag(page.needsChange ? DockPage::recommendedTag : QString());
    m_header->badge()->set(page.badge,
        page.badgeIsGood ? OnboardingStyle::Symbol::checkmarkCircle : OnboardingStyle::Symbol::exclamationTriangle,
        page.badgeIsGood ? OnboardingStyle::green() : OnboardingStyle::orange());
    const bool sameBody = m_shown && page.state == m_page.state && edge == m_edge;
    m_page = page;
    m_edge = edge;
    m_autohides = autohides;
    m_shown = true;
    if (!sameBody)
        rebuildBody(edge, autohides);
}

void DockPageView::rebuildBody(DockEdge edge, bool autohides)
{
    // The cards and the button under the pointer go with the old body; each
    // set its cursor on itself, so nothing is left behind.
    if (m_body) {
        m_body->hide();
        m_body->deleteLater();
    }
    m_left = m_right = nullptr;
    m_autohideButton = nullptr;
    m_body = new QWidget;
    auto *body = new QVBoxLayout(m_body);
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(16);
    body->addWidget(OnboardingStyle::label(m_page.explanation, 13, QFont::Normal, OnboardingStyle::secondary()));

    switch (m_page.state) {
    case DockPage::State::atBottom: {
        auto *choices = new QHBoxLayout;
        choices->setSpacing(12);
        m_left = new DockChoiceButton(DockEdge::left);
        m_right = new DockChoiceButton(DockEdge::right);
        connect(m_left, &QAbstractButton::clicked, this, [this] { emit choiceMade(DockEdge::left); });
        connect(m_right, &QAbstractButton::clicked, this, [this] { emit choiceMade(DockEdge::right); });
        choices->addWidget(m_left);
        choices->addWidget(m_right);
        body->addLayout(choices);
        break;
    }
    case DockPage::State::atSideHidden:
        body->addWidget(new DockIllustration(edge, true), 0, Qt::AlignHCenter);
        break;
    case DockPage::State::atSideVisible: {
        body->addWidget(new DockIllustration(edge, autohides), 0, Qt::AlignHCenter);
        m_autohideButton = new OnboardingButton(DockPage::turnOnAutohideTitle, OnboardingButton::Look::grey);
        connect(m_autohideButton, &QAbstractButton::clicked, this, &DockPageView::autohideRequested);
        body->addWidget(m_autohideButton, 0, Qt::AlignHCenter);
        break;
    }
    }
    if (!m_page.smallPrint.isEmpty())
        body->addWidget(OnboardingStyle::label(m_page.smallPrint, 12, QFont::Normal, OnboardingStyle::secondary()));
    m_layout->addWidget(m_body);
}

} // namespace Velmora
