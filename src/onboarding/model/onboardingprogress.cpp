#include "onboarding/model/onboardingprogress.h"

#include "platform/userdefaults.h"

namespace Velmora {

const QString OnboardingProgress::completedKey = QStringLiteral("OnboardingCompleted");
const QString OnboardingProgress::stepKey = QStringLiteral("OnboardingStep");

OnboardingProgress::OnboardingProgress(UserDefaults &defaults)
    : m_defaults(defaults)
{
}

bool OnboardingProgress::isCompleted() const
{
    return m_defaults.boolValue(completedKey).value_or(false);
}

OnboardingStep OnboardingProgress::resumeStep() const
{
    const qint64 raw = m_defaults.integerValue(stepKey).value_or(0);
    return OnboardingSteps::fromRawValue(raw).value_or(OnboardingStep::welcome);
}

void OnboardingProgress::saveStep(OnboardingStep step)
{
    m_defaults.setValue(stepKey, qint64(OnboardingSteps::rawValue(step)));
}

void OnboardingProgress::complete()
{
    m_defaults.setValue(completedKey, true);
    m_defaults.removeValue(stepKey);
}

} // namespace Velmora
