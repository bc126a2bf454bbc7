#include "app/application.h"

#include "platform/linux/systemclock.h"

namespace Velmora {

Application::Application(QObject *parent)
    : QObject(parent)
    , m_clock(std::make_unique<Linux::SystemClock>())
{
}

Application::~Application() = default;

void Application::start()
{
}

} // namespace Velmora
