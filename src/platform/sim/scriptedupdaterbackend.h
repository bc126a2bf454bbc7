#pragma once

#include "platform/updaterbackend.h"

#include <QMutex>

#include <memory>

namespace Velmora::Sim {

// An update framework that only keeps its automatic-check flag and counts
// the checks asked of it. The flag may be changed from any thread, as the
// real framework does from its own; observers are told on that thread.
class ScriptedUpdaterBackend final : public UpdaterBackend
{
public:
    explicit ScriptedUpdaterBackend(bool automaticallyChecks = false);
    ~ScriptedUpdaterBackend() override;

    bool automaticallyChecksForUpdates() const override;
    void setAutomaticallyChecksForUpdates(bool checks) override;
    void checkForUpdates() override;
    std::unique_ptr<Observation> observeAutomaticallyChecks(std::function<void()> changed) override;

    // The framework changing its own flag (its settings, another process):
    // the same as a write from outside, on the calling thread.
    void changeFlag(bool checks) { setAutomaticallyChecksForUpdates(checks); }
    int checkCount() const;
    // Writes that reached the framework, equal ones included.
    int writeCount() const;

private:
    struct Shared;
    class ScriptedObservation;
    std::shared_ptr<Shared> m_shared;
};

} // namespace Velmora::Sim
