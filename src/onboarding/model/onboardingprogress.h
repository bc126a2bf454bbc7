#pragma once

#include "onboarding/model/onboardingstep.h"

#include <QString>

namespace Velmora {

class UserDefaults;

// How far the user got with onboarding, kept in the user defaults so that a
// relaunch (the system may relaunch us once Screen Recording is granted)
// comes back to the same page, and a finished setup is not offered again.
class OnboardingProgress
{
public:
    static const QString completedKey; // "OnboardingCompleted"
    static const QString stepKey; // "OnboardingStep"

    explicit OnboardingProgress(UserDefaults &defaults);

    UserDefaults &defaults() const { return m_defaults; }

    // Only a stored Boolean true counts.
    bool isCompleted() const;
    // The page to open on: the stored step when it names one, else the
    // welcome page (also when nothing or another type is stored).
    OnboardingStep resumeStep() const;
    void saveStep(OnboardingStep step);
    // The setup is over: completion is written and the step forgotten.
    void complete();

private:
    UserDefaults &m_defaults;
};

} // namespace Velmora
