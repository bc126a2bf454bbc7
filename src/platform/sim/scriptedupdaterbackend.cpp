#include "platform/sim/scriptedupdaterbackend.h"

#include <QMutexLocker>

#include <map>

namespace Velmora::Sim {

struct ScriptedUpdaterBackend::Shared
{
    mutable QMutex mutex;
    // Held while observers are told, so ending an observation waits for a
    // delivery under way.
    QRecursiveMutex delivery;
    bool flag = false;
    int checks = 0;
    int writes = 0;
    int nextObserver = 0;
    std::map<int, std::function<void()>> observers;
};

class ScriptedUpdaterBackend::ScriptedObservation final : public UpdaterBackend::Observation
{
public:
    ScriptedObservation(std::shared_ptr<Shared> shared, int id)
        : m_shared(std::move(shared))
        , m_id(id)
    {
    }
    ~ScriptedObservation() override
    {
        QMutexLocker delivering(&m_shared->delivery);
        QMutexLocker locker(&m_shared->mutex);
        m_shared->observers.erase(m_id);
    }

private:
    std::shared_ptr<Shared> m_shared;
    int m_id;
};

ScriptedUpdaterBackend::ScriptedUpdaterBackend(bool automaticallyChecks)
    : m_shared(std::make_shared<Shared>())
{
    m_shared->flag = automaticallyChecks;
}

ScriptedUpdaterBackend::~ScriptedUpdaterBackend() = default;

bool ScriptedUpdaterBackend::automaticallyChecksForUpdates() const
{
    QMutexLocker locker(&m_shared->mutex);
    return m_shared->flag;
}

void ScriptedUpdaterBackend::setAutomaticallyChecksForUpdates(bool checks)
{
    QMutexLocker delivering(&m_shared->delivery);
    std::map<int, std::function<void()>> observers;
    {
        QMutexLocker locker(&m_shared->mutex);
        ++m_shared->writes;
        m_shared->flag = checks;
        observers = m_shared->observers;
    }
    // Like key-value observation: every write is news, equal or not.
    for (const auto &[id, changed] : observers)
        changed();
}

void ScriptedUpdaterBackend::checkForUpdates()
{
    QMutexLocker locker(&m_shared->mutex);
    ++m_shared->checks;
}

std::unique_ptr<UpdaterBackend::Observation> ScriptedUpdaterBackend::observeAutomaticallyChecks(
    std::function<void()> changed)
{
    QMutexLocker locker(&m_shared->mutex);
    const int id = ++m_shared->nextObserver;
    m_shared->observers.emplace(id, std::move(changed));
    return std::make_unique<ScriptedObservation>(m_shared, id);
}

int ScriptedUpdaterBackend::checkCount() const
{
    QMutexLocker locker(&m_shared->mutex);
    return m_shared->checks;
}

int ScriptedUpdaterBackend::writeCount() const
{
    QMutexLocker locker(&m_shared->mutex);
    return m_shared->writes;
}

} // namespace Velmora::Sim
