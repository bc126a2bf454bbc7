#pragma once

#include "onboarding/model/onboardingstep.h"
#include "services/dockedge.h"

#include <QList>
#include <QString>

#include <optional>

namespace Velmora {

// What a footer button does.
enum class OnboardingAction {
    advance,
    goBack,
    // Opens the system's Desktop & Dock settings.
    openDockSettings,
    // The system's trust prompt the first time, the privacy pane after that.
    requestAccessibility,
    requestScreenCapture,
    finish,
};

struct OnboardingFooterButton {
    enum class Style {
        // Large, filled when it is the default button.
        prominent,
        // Text only, in the secondary colour.
        plain,
    };

    QString title;
    OnboardingAction action = OnboardingAction::advance;
    Style style = Style::prominent;
    // Bound to Return.
    bool isDefault = false;
    bool isEnabled = true;

    friend bool operator==(const OnboardingFooterButton &, const OnboardingFooterButton &) = default;
};

// The footer of one page: "Back" (bound to Escape) on every page but the
// first, the progress dots, and the page's buttons at the right.
struct OnboardingFooter {
    // What the buttons depend on.
    struct State {
        OnboardingStep step = OnboardingStep::welcome;
        DockEdge dockEdge = DockEdge::bottom;
        bool isAccessibilityTrusted = false;
        bool hasScreenCapturePermission = false;
    };

    static const QString backTitle; // "Back"

    bool hasBack = false;
    // Left to right.
    QList<OnboardingFooterButton> buttons;

    static OnboardingFooter forState(const State &state);

    // What Return does: the default button's action while it is enabled.
    std::optional<OnboardingAction> returnAction() const;
    // What Escape does: go back, where there is a Back button.
    std::optional<OnboardingAction> escapeAction() const;
};

} // namespace Velmora
