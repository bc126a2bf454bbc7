#include "app/application.h"

#include "platform/linux/pidfdsignaller.h"
#include "platform/linux/procstatistics.h"
#include "platform/linux/ptylauncher.h"
#include "platform/linux/systemclock.h"
#include "platform/sim/simplatform.h"
#include "platform/sim/simscenario.h"
#include "taskmanager/sampling/systemmonitor.h"
#include "taskmanager/sampling/systemsampler.h"

#include <QCoreApplication>
#include <QDebug>

namespace Velmora {

Application::Application(QObject *parent)
    : QObject(parent)
    , m_clock(std::make_unique<Linux::SystemClock>())
    // On real time a call into a busy simulated application blocks its caller
    // for real, as it would on the desktop we model.
    , m_desktop(std::make_unique<Sim::SimPlatform>(*m_clock, *m_clock,
                                                   [clock = m_clock.get()](qint64 ms) { clock->sleepMs(ms); }))
    , m_statistics(std::make_unique<Linux::ProcStatistics>())
    , m_signaller(std::make_unique<Linux::PidfdSignaller>(*m_statistics))
    , m_terminals(std::make_unique<Linux::PtyLauncher>())
{
    SystemMonitor::Environment environment;
    environment.clock = m_clock.get();
    environment.scheduler = m_clock.get();
    environment.statistics = m_statistics.get();
    environment.signaller = m_signaller.get();
    environment.makeSampler = SystemMonitor::samplerFactory(
        *m_statistics, *m_clock, *m_terminals,
        ProcessNetworkReader::Command::systemTool(QCoreApplication::applicationPid()));
    m_systemMonitor = std::make_unique<SystemMonitor>(std::move(environment));
    SystemMonitor::setShared(m_systemMonitor.get());
}

Application::~Application() = default;

bool Application::start()
{
    QString error;
    if (!Sim::SimScenario::load(m_desktop->desktop, Sim::SimScenario::builtIn(), &error)) {
        qCritical().noquote() << "Velmora: the built-in desktop cannot be loaded:" << error;
        return false;
    }
    // The machine is measured from launch, so the Task Manager opens on a
    // full minute of history.
    m_systemMonitor->start();
    return true;
}

} // namespace Velmora
