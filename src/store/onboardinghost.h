#pragma once

namespace Velmora {

// Shows onboarding, which the application layer owns: the bar's setup
// button asks for it through the store.
class OnboardingHost
{
public:
    virtual ~OnboardingHost() = default;

    virtual void presentOnboarding() = 0;
};

} // namespace Velmora
