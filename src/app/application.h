#pragma once

#include <QObject>

#include <memory>

namespace Velmora {

namespace Linux {
class PidfdSignaller;
class ProcStatistics;
class PtyLauncher;
class SystemClock;
} // namespace Linux
namespace Sim {
class SimPlatform;
} // namespace Sim
class SystemMonitor;

// The composition root: chooses the platform implementations (the simulated
// desktop for the window system, the real machine for everything else) and
// wires the product together.
class Application : public QObject
{
    Q_OBJECT
public:
    explicit Application(QObject *parent = nullptr);
    ~Application() override;

    // Seeds the simulated desktop with the built-in scenario. False when that
    // scenario cannot be read: a broken build, reported rather than run on an
    // empty desktop.
    bool start();

    // The simulated desktop the product manages.
    Sim::SimPlatform &simulatedDesktop() const { return *m_desktop; }

private:
    std::unique_ptr<Linux::SystemClock> m_clock;
    std::unique_ptr<Sim::SimPlatform> m_desktop;
    // The Task Manager samples the real machine.
    std::unique_ptr<Linux::ProcStatistics> m_statistics;
    std::unique_ptr<Linux::PidfdSignaller> m_signaller;
    std::unique_ptr<Linux::PtyLauncher> m_terminals;
    std::unique_ptr<SystemMonitor> m_systemMonitor; // last: goes first, while what it uses is still there
};

} // namespace Velmora
