#include "onboarding/onboardingfooterbar.h"

#include "onboarding/onboardingbutton.h"
#include "onboarding/onboardingstyle.h"

#include <QHBoxLayout>
#include <QPainter>

namespace Velmora {

namespace {

// One dot per step; the current one in the accent colour.
class ProgressDots : public QWidget
{
public:
    static constexpr int dot = 7;
    static constexpr int spacing = 6;

    explicit ProgressDots(const OnboardingFooterBar &bar)
        : m_bar(bar)
    {
        const int count = int(OnboardingSteps::allCases().size());
        setFixedSize(count * dot + (count - 1) * spacing, dot);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        int x = 0;
        for (OnboardingStep step : OnboardingSteps::allCases()) {
            painter.setBrush(step == m_bar.currentStep() ? OnboardingStyle::accent() : OnboardingStyle::primary(0.15));
            painter.drawEllipse(QRectF(x, 0, dot, dot));
            x += dot + spacing;
        }
    }

private:
    const OnboardingFooterBar &m_bar;
};

} // namespace

OnboardingFooterBar::OnboardingFooterBar(QWidget *parent)
    : QWidget(parent)
    , m_back(new OnboardingButton(OnboardingFooter::backTitle, OnboardingButton::Look::grey))
    , m_dots(new ProgressDots(*this))
    , m_buttonRow(new QHBoxLayout)
{
    m_back->setSymbol(OnboardingStyle::Symbol::chevronLeft);
    connect(m_back, &QAbstractButton::clicked, this, [this] { emit actionTriggered(OnboardingAction::goBack); });
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(24, 16, 24, 16);
    row->setSpacing(12);
    row->addWidget(m_back);
    row->addSpacing(8);
    row->addWidget(m_dots, 0, Qt::AlignVCenter);
    row->addStretch(1);
    m_buttonRow->setSpacing(12);
    row->addLayout(m_buttonRow);
}

void OnboardingFooterBar::display(const OnboardingFooter &footer, OnboardingStep step)
{
    m_step = step;
    m_dots->update();
    m_back->setVisible(footer.hasBack);
    if (m_footer && m_footer->buttons == footer.buttons)
        return;
    m_footer = footer;
    // A button under the pointer may go here; its cursor goes with it.
    for (OnboardingButton *button : std::as_const(m_buttons)) {
        button->hide();
        button->deleteLater();
    }
    m_buttons.clear();
    for (const OnboardingFooterButton &description : footer.buttons) {
        using Style = OnboardingFooterButton::Style;
        const OnboardingButton::Look look = description.style == Style::plain ? OnboardingButton::Look::plain
            : description.isDefault                                           ? OnboardingButton::Look::filled
                                                                              : OnboardingButton::Look::grey;
        auto *button = new OnboardingButton(description.title, look);
        button->setEnabled(description.isEnabled);
        const OnboardingAction action = description.action;
        connect(button, &QAbstractButton::clicked, this, [this, action] { emit actionTriggered(action); });
        m_buttonRow->addWidget(button);
        m_buttons.append(button);
    }
}

void OnboardingFooterBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // The bar material: a shade lighter than the window, with a divider on top.
    painter.fillRect(rect(), QColor(38, 40, 47));
    painter.fillRect(QRect(0, 0, width(), 1), OnboardingStyle::primary(0.1));
}

} // namespace Velmora
