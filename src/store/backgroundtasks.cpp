#include "store/backgroundtasks.h"

namespace Velmora {

BackgroundTasks::BackgroundTasks(Runner runner)
    : m_runner(std::move(runner))
{
    if (!m_runner)
        m_runner = [this](std::function<void()> work) { m_pool.start(std::move(work)); };
}

BackgroundTasks::~BackgroundTasks()
{
    m_pool.waitForDone();
}

void BackgroundTasks::waitForDone()
{
    m_pool.waitForDone();
}

} // namespace Velmora
