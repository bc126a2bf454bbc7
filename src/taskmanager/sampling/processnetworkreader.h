#pragma once

#include "taskmanager/sampling/processnetworklog.h"
#include "taskmanager/sampling/serialqueue.h"

#include <QStringList>

#include <atomic>
#include <memory>
#include <mutex>

namespace Velmora {

class Clock;
class PseudoTerminalLauncher;
class PseudoTerminalProcess;

// Bytes per second that each process sends and receives, read from a
// long-lived network statistics tool on a pseudo-terminal. The tool is
// relaunched when it dies, at most once every 10 s.
//
// start() and stop() return at once and do their work on the reader's own
// queue; rates(), name() and isAvailable() may be called from any thread.
class ProcessNetworkReader
{
public:
    struct Command
    {
        QString program;
        QStringList arguments;
        // The tool the command runs; when it is not an executable file here,
        // nothing is launched and the reader reports itself unavailable.
        QString tool;

        // The system's tool under a small shell that ends it when this
        // application (`ownPid`) goes away.
        static Command systemTool(qint64 ownPid);
        // Our own tool, run directly: it ends by itself when its terminal
        // or its parent (`ownPid`) goes away.
        static Command ownTool(const QString &path, qint64 ownPid);
        // Our own tool when it is installed next to the application or on
        // the search path, else the system's.
        static Command forThisMachine(qint64 ownPid, const QString &applicationDir);

        static constexpr const char *ownToolName = "velmora-netrates";
    };

    static constexpr double relaunchInterval = 10.0;

    ProcessNetworkReader(PseudoTerminalLauncher &launcher, const Clock &clock, Command command);
    // Ends and reaps the tool.
    ~ProcessNetworkReader();

    void start();
    // Ends the tool and forgets everything it reported, including a block it
    // had not finished.
    void stop();

    QHash<qint32, double> rates(double from, double to);
    std::optional<QString> name(qint32 pid);
    // False when the tool cannot run here, failed to start, or ended without
    // reporting anything: its silence then says nothing about the network.
    bool isAvailable() const { return m_available; }

    // Blocks until start() and stop() calls made so far have taken effect.
    void waitForIdle();

private:
    void startOnQueue();
    void stopOnQueue();
    void launch();
    void setToolRunning(bool running);
    double now() const;

    PseudoTerminalLauncher &m_launcher;
    const Clock &m_clock;
    const Command m_command;
    ProcessNetworkLog m_log;
    std::atomic<bool> m_available;
    // The sampler starts the reader on its queue while the main thread may
    // stop it: the flag and the queue must see the two calls in one order, or
    // a stop overtaken by a start would leave the tool running unstopped.
    std::mutex m_control;
    bool m_started = false;
    // Whether the queue has the tool running: starting again then needs
    // nothing of the queue.
    bool m_toolRunning = false;

    // Queue only.
    std::unique_ptr<PseudoTerminalProcess> m_process;
    double m_lastLaunch;
    quint64 m_run = 0; // output of an earlier run that arrives late is dropped

    // Created by the first start(), under m_control.
    std::unique_ptr<SerialQueue> m_queue;
};

} // namespace Velmora
