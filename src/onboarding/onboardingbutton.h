#pragma once

#include "onboarding/onboardingstyle.h"

#include <QAbstractButton>

#include <optional>

namespace Velmora {

// A push button of the onboarding window, drawn in its dark look: large and
// filled with the accent colour when it is the page's default, large and
// grey otherwise, or text only in the secondary colour ("Skip"). An
// optional symbol goes before the title ("Back"). Shows the pointing hand
// while the pointer is over it; the cursor belongs to the button alone, so
// it goes with the button.
class OnboardingButton : public QAbstractButton
{
    Q_OBJECT
public:
    enum class Look { filled, grey, plain };

    OnboardingButton(const QString &title, Look look, QWidget *parent = nullptr);

    Look look() const { return m_look; }
    void setSymbol(std::optional<OnboardingStyle::Symbol> symbol);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    Look m_look;
    std::optional<OnboardingStyle::Symbol> m_symbol;
};

} // namespace Velmora
