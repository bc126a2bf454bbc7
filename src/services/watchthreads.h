#pragma once

#include <QObject>
#include <QThreadPool>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace Velmora {

class Clock;
class Sleeper;

// Where the sibling-raise guard's watches run: each watch on a fresh thread
// of its own that polls the window stack for a bounded time, short jobs (one
// raise) on a small pool so they follow a burst of raises rather than hold
// the watch up, and steps that belong to the main thread (activating an
// application, recording state) posted to it.
//
// Every wait of a watch goes through `sleepMs` and every age through
// `clock`, so a test on a virtual clock runs a watch through its whole time
// line without sleeping. A test can also take the watches in lockstep with
// the virtual clock (setPacer): a watch thread then waits in `sleepMs` until
// the test has moved the clock past its wake time, and the test can wait
// until every watch is either waiting or done.
//
// Created and destroyed on the main thread; the destructor waits for the
// running watches and jobs, which are all bounded in time.
class WatchThreads : public QObject
{
    Q_OBJECT
public:
    // What a lockstep test puts between a watch and its clock.
    class Pacer
    {
    public:
        virtual ~Pacer();
        // Called on a watch thread in place of the sleeper.
        virtual void sleepMs(qint64 ms) = 0;
    };

    WatchThreads(const Clock &clock, Sleeper &sleeper, QObject *parent = nullptr);
    ~WatchThreads() override;

    const Clock &clock() const { return m_clock; }

    // Starts `body` on a new thread named `name`; returns at once.
    void startWatch(const QString &name, std::function<void()> body);
    // Runs `job` soon on a worker thread (the raises that must not wait for a burst).
    void runSoon(std::function<void()> job);
    // Runs `job` on the main thread, in order with its other work, unless
    // `context` (these threads when null) is gone by then.
    void postToMain(QObject *context, std::function<void()> job);

    // The pause between two polls of a watch.
    void sleepMs(qint64 ms);

    // Watches and jobs started and not yet finished.
    int runningCount() const;
    // Blocks until every watch and job has finished; for shutdown and tests.
    bool waitForAll(int timeoutMs = -1);

    void setPacer(Pacer *pacer) { m_pacer.store(pacer, std::memory_order_release); }

private:
    struct Watch
    {
        std::thread thread;
        bool done = false; // under m_mutex
    };

    void finished(Watch *watch);
    void joinFinishedWatches();

    const Clock &m_clock;
    Sleeper &m_sleeper;
    // Watch threads read it while the test that set it runs on.
    std::atomic<Pacer *> m_pacer = nullptr;

    // Plain threads joined by whoever started them, so that a watch is
    // visibly over, to the reader and to race checkers alike, once joined.
    mutable std::mutex m_mutex;
    std::condition_variable m_idle;
    int m_running = 0;
    std::vector<std::unique_ptr<Watch>> m_watches; // main thread only
    QThreadPool m_pool;
};

} // namespace Velmora
