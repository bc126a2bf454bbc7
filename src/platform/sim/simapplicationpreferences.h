#pragma once

#include "platform/applicationpreferences.h"
#include "platform/sim/simdesktopaccess.h"

namespace Velmora::Sim {

// Other applications' preferences, kept in the simulated desktop's world
// (the Dock's domain among them). Writes are visible at once; synchronize()
// is logged and fails when a test injects SimOperations::SynchronizePreferences.
class SimApplicationPreferences final : public ApplicationPreferences
{
public:
    explicit SimApplicationPreferences(SimDesktopAccess world);

    QVariant value(const QString &key, const QString &domain) const override;
    void setValue(const QString &key, const QVariant &value, const QString &domain) override;
    bool synchronize(const QString &domain) override;

private:
    SimDesktop &m_desktop;
    SimDesktopAccess m_world;
};

} // namespace Velmora::Sim
