#include "platform/sim/simulatedterminallauncher.h"

namespace Velmora::Sim {

struct SimulatedTerminalLauncher::Child
{
    QMutex mutex;
    Handlers handlers; // emptied when the process handle goes
    bool running = true;
    qint64 pid = 0;
};

class SimulatedTerminalLauncher::Process final : public PseudoTerminalProcess
{
public:
    explicit Process(std::shared_ptr<Child> child)
        : m_child(std::move(child))
    {
    }
    ~Process() override
    {
        QMutexLocker lock(&m_child->mutex);
        m_child->handlers = {};
        m_child->running = false;
    }
    qint64 processId() const override { return m_child->pid; }
    bool isRunning() override
    {
        QMutexLocker lock(&m_child->mutex);
        return m_child->running;
    }
    void terminate() override
    {
        QMutexLocker lock(&m_child->mutex);
        m_child->running = false;
    }

private:
    std::shared_ptr<Child> m_child;
};

SimulatedTerminalLauncher::SimulatedTerminalLauncher() = default;
SimulatedTerminalLauncher::~SimulatedTerminalLauncher() = default;

void SimulatedTerminalLauncher::setFailsToLaunch(bool fails)
{
    QMutexLocker lock(&m_mutex);
    m_fails = fails;
}

int SimulatedTerminalLauncher::launchCount() const
{
    QMutexLocker lock(&m_mutex);
    return m_launches;
}

bool SimulatedTerminalLauncher::write(const QByteArray &data)
{
    std::shared_ptr<Child> child;
    {
        QMutexLocker lock(&m_mutex);
        child = m_latest;
    }
    if (!child)
        return false;
    QMutexLocker lock(&child->mutex);
    if (!child->handlers.output)
        return false;
    child->handlers.output(data);
    return true;
}

void SimulatedTerminalLauncher::finish()
{
    std::shared_ptr<Child> child;
    {
        QMutexLocker lock(&m_mutex);
        child = m_latest;
    }
    if (!child)
        return;
    QMutexLocker lock(&child->mutex);
    child->running = false;
    if (child->handlers.finished)
        child->handlers.finished();
    child->handlers = {};
}

std::unique_ptr<PseudoTerminalProcess> SimulatedTerminalLauncher::launch(
    const QString &, const QStringList &, Handlers handlers)
{
    QMutexLocker lock(&m_mutex);
    ++m_launches;
    if (m_fails)
        return nullptr;
    m_latest = std::make_shared<Child>();
    m_latest->handlers = std::move(handlers);
    m_latest->pid = 100'000 + m_launches;
    return std::make_unique<Process>(m_latest);
}

} // namespace Velmora::Sim
