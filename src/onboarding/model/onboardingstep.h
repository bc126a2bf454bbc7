#pragma once

#include <QList>

#include <optional>

namespace Velmora {

// The pages of onboarding, in the order they are walked through. The raw
// value is what "OnboardingStep" stores, so it never changes.
enum class OnboardingStep { welcome = 0, dock = 1, accessibility = 2, screenRecording = 3, done = 4 };

namespace OnboardingSteps {

const QList<OnboardingStep> &allCases();
inline int rawValue(OnboardingStep step)
{
    return int(step);
}
// Only 0 to 4 name a step.
std::optional<OnboardingStep> fromRawValue(qint64 raw);

} // namespace OnboardingSteps

} // namespace Velmora
