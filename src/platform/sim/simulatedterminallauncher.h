#pragma once

#include "platform/pseudoterminallauncher.h"

#include <QMutex>

namespace Velmora::Sim {

// Launches nothing: each launch gives a child whose output the test writes.
// Safe to drive from the test thread while the launcher is used on another.
class SimulatedTerminalLauncher final : public PseudoTerminalLauncher
{
public:
    SimulatedTerminalLauncher();
    ~SimulatedTerminalLauncher() override;

    void setFailsToLaunch(bool fails);
    int launchCount() const;
    // Sends output from the latest child still alive; false when there is none.
    bool write(const QByteArray &data);
    // The latest child exits and closes its terminal.
    void finish();

    std::unique_ptr<PseudoTerminalProcess> launch(
        const QString &program, const QStringList &arguments, Handlers handlers) override;

private:
    struct Child;
    class Process;

    mutable QMutex m_mutex;
    bool m_fails = false;
    int m_launches = 0;
    std::shared_ptr<Child> m_latest;
};

} // namespace Velmora::Sim
