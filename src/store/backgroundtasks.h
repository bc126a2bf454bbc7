#pragma once

#include <QCoreApplication>
#include <QObject>
#include <QPointer>
#include <QThreadPool>

#include <functional>
#include <memory>

namespace Velmora {

// Work the store sends off the main thread (window listings, visibility,
// menu walks), each piece coming back to the main thread with its result.
// Results for an owner that has gone are dropped. The destructor waits for
// work under way, which may still use the services it was given.
class BackgroundTasks
{
public:
    // Runs a piece of work away from the main thread. Tests pass one that
    // keeps the work until they let it run.
    using Runner = std::function<void(std::function<void()> work)>;

    // An empty runner means threads of this object's own.
    explicit BackgroundTasks(Runner runner = {});
    ~BackgroundTasks();
    BackgroundTasks(const BackgroundTasks &) = delete;
    BackgroundTasks &operator=(const BackgroundTasks &) = delete;

    // Runs `work` in the background, then `apply` with its result on the
    // main thread while `owner` lives.
    template<typename Result, typename Work, typename Apply> void run(QObject *owner, Work work, Apply apply)
    {
        const QPointer<QObject> guard(owner);
        m_runner([guard, work = std::move(work), apply = std::move(apply)]() mutable {
            auto result = std::make_shared<Result>(work());
            // Posted to the application object, which outlives every owner;
            // the guard is read only there, on the main thread.
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [guard, result, apply = std::move(apply)]() mutable {
                    if (guard)
                        apply(std::move(*result));
                },
                Qt::QueuedConnection);
        });
    }

    // Blocks until the own threads are idle; for shutdown.
    void waitForDone();

private:
    QThreadPool m_pool;
    Runner m_runner;
};

} // namespace Velmora
