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

    void start();

private:
    std::unique_ptr<Linux::SystemClock> m_clock;
    // The Task Manager samples the real machine.
    std::unique_ptr<Linux::ProcStatistics> m_statistics;
    std::unique_ptr<Linux::PidfdSignaller> m_signaller;
    std::unique_ptr<Linux::PtyLauncher> m_terminals;
    std::unique_ptr<SystemMonitor> m_systemMonitor; // last: goes first, while what it uses is still there
};

} // namespace Velmora
