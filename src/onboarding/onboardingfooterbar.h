#pragma once

#include "onboarding/model/onboardingfooter.h"

#include <QWidget>

class QHBoxLayout;

namespace Velmora {

class OnboardingButton;

// The bar under the pages: "Back", the progress dots, and the page's
// buttons at the right, as OnboardingFooter lists them. Buttons are rebuilt
// only when the footer changes.
class OnboardingFooterBar : public QWidget
{
    Q_OBJECT
public:
    explicit OnboardingFooterBar(QWidget *parent = nullptr);

    void display(const OnboardingFooter &footer, OnboardingStep step);

    OnboardingButton *backButton() const { return m_back; }
    // The page's buttons, left to right.
    const QList<OnboardingButton *> &buttons() const { return m_buttons; }
    OnboardingStep currentStep() const { return m_step; }

signals:
    void actionTriggered(Velmora::OnboardingAction action);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    OnboardingButton *m_back;
    QWidget *m_dots;
    QHBoxLayout *m_buttonRow;
    QList<OnboardingButton *> m_buttons;
    std::optional<OnboardingFooter> m_footer;
    OnboardingStep m_step = OnboardingStep::welcome;
};

} // namespace Velmora
