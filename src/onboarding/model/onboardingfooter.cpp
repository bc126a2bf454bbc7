#include "onboarding/model/onboardingfooter.h"

namespace Velmora {

const QString OnboardingFooter::backTitle = QStringLiteral("Back");

namespace {

using Button = OnboardingFooterButton;
using Style = OnboardingFooterButton::Style;

// The page's single forward button, named after where it leads.
Button mainButton(OnboardingStep step, bool enabled = true)
{
    switch (step) {
    case OnboardingStep::welcome:
        return {QStringLiteral("Get Started"), OnboardingAction::advance, Style::prominent, true, enabled};
    case OnboardingStep::done:
        return {QStringLiteral("Start Using Velmora"), OnboardingAction::finish, Style::prominent, true, enabled};
    default:
        return {QStringLiteral("Continue"), OnboardingAction::advance, Style::prominent, true, enabled};
    }
}

} // namespace

OnboardingFooter OnboardingFooter::forState(const State &state)
{
    OnboardingFooter footer;
    footer.hasBack = state.step != OnboardingStep::welcome;
    switch (state.step) {
    case OnboardingStep::welcome:
    case OnboardingStep::done:
        footer.buttons = {mainButton(state.step)};
        break;
    case OnboardingStep::dock:
        if (state.dockEdge == DockEdge::bottom) {
            // Nothing is the default here: moving the Dock is the user's choice.
            footer.buttons = {
                {QStringLiteral("Keep It at the Bottom"), OnboardingAction::advance, Style::plain, false, true},
                {QStringLiteral("Open Dock Settings"), OnboardingAction::openDockSettings, Style::prominent, false,
                    true},
            };
        } else {
            footer.buttons = {mainButton(state.step)};
        }
        break;
    case OnboardingStep::accessibility:
        if (state.isAccessibilityTrusted) {
            footer.buttons = {mainButton(state.step)};
        } else {
            // Without trust the bar cannot work: no way forward but granting it.
            footer.buttons = {
                {QStringLiteral("Open System Settings"), OnboardingAction::requestAccessibility, Style::prominent,
                    false, true},
                mainButton(state.step, false),
            };
        }
        break;
    case OnboardingStep::screenRecording:
        if (state.hasScreenCapturePermission) {
            footer.buttons = {mainButton(state.step)};
        } else {
            footer.buttons = {
                {QStringLiteral("Skip"), OnboardingAction::advance, Style::plain, false, true},
                {QStringLiteral("Open System Settings"), OnboardingAction::requestScreenCapture, Style::prominent, true,
                    true},
            };
        }
        break;
    }
    return footer;
}

std::optional<OnboardingAction> OnboardingFooter::returnAction() const
{
    for (const Button &button : buttons) {
        if (button.isDefault)
            return button.isEnabled ? std::optional(button.action) : std::nullopt;
    }
    return std::nullopt;
}

std::optional<OnboardingAction> OnboardingFooter::escapeAction() const
{
    return hasBack ? std::optional(OnboardingAction::goBack) : std::nullopt;
}

} // namespace Velmora
