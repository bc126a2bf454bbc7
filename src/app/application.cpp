#include "app/application.h"

#include "platform/linux/systemclock.h"
#include "platform/sim/simplatform.h"
#include "platform/sim/simscenario.h"

#include <QDebug>

namespace Velmora {

Application::Application(QObject *parent)
    : QObject(parent)
    , m_clock(std::make_unique<Linux::SystemClock>())
    // On real time a call into a busy simulated application blocks its caller
    // for real, as it would on the desktop we model.
    , m_desktop(std::make_unique<Sim::SimPlatform>(*m_clock, *m_clock,
                                                   [clock = m_clock.get()](qint64 ms) { clock->sleepMs(ms); }))
{
}

Application::~Application() = default;

bool Application::start()
{
    QString error;
    if (!Sim::SimScenario::load(m_desktop->desktop, Sim::SimScenario::builtIn(), &error)) {
        qCritical().noquote() << "Velmora: the built-in desktop cannot be loaded:" << error;
        return false;
    }
    return true;
}

} // namespace Velmora
