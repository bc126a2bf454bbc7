#include "onboarding/model/onboardingstep.h"

namespace Velmora::OnboardingSteps {

const QList<OnboardingStep> &allCases()
{
    static const QList<OnboardingStep> steps{OnboardingStep::welcome, OnboardingStep::dock,
        OnboardingStep::accessibility, OnboardingStep::screenRecording, OnboardingStep::done};
    return steps;
}

std::optional<OnboardingStep> fromRawValue(qint64 raw)
{
    // Compared unsigned, so a negative number is as far out as a large one.
    if (quint64(raw) > quint64(OnboardingStep::done))
        return std::nullopt;
    return OnboardingStep(raw);
}

} // namespace Velmora::OnboardingSteps
