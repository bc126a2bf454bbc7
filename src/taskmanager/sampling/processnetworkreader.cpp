#include "taskmanager/sampling/processnetworkreader.h"

#include "platform/clock.h"
#include "platform/pseudoterminallauncher.h"
#include "taskmanager/sampling/taskmanagertexts.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <limits>
#include <unistd.h>

namespace Velmora {

namespace {

bool isUsable(const QString &tool)
{
    return tool.isEmpty() || ::access(QFile::encodeName(tool).constData(), X_OK) == 0;
}

} // namespace

ProcessNetworkReader::Command ProcessNetworkReader::Command::systemTool(qint64 ownPid)
{
    // The shell ends the tool when it is asked to end, and checks once a
    // second that both we and the tool are still there, so the tool never
    // outlives the application.
    const QString script
        = QStringLiteral("/usr/bin/nettop -P -d -L 0 -s 1 -x -J bytes_in,bytes_out <&0 & n=$!\n"
                         "trap 'kill $n 2>/dev/null; exit 0' TERM HUP\n"
                         "while kill -0 \"$1\" 2>/dev/null && kill -0 $n 2>/dev/null; do sleep 1; done\n"
                         "kill $n 2>/dev/null");
    return Command { QStringLiteral("/bin/sh"),
        { QStringLiteral("-c"), script, QStringLiteral("sh"), QString::number(ownPid) },
        QStringLiteral("/usr/bin/nettop") };
}

ProcessNetworkReader::Command ProcessNetworkReader::Command::ownTool(const QString &path, qint64 ownPid)
{
    return Command { path, { QString::number(ownPid) }, path };
}

ProcessNetworkReader::Command ProcessNetworkReader::Command::forThisMachine(
    qint64 ownPid, const QString &applicationDir)
{
    const QString name = QString::fromLatin1(ownToolName);
    const QString besideUs = QDir(applicationDir).filePath(name);
    if (!applicationDir.isEmpty() && isUsable(besideUs))
        return ownTool(besideUs, ownPid);
    if (const QString onPath = QStandardPaths::findExecutable(name); !onPath.isEmpty())
        return ownTool(onPath, ownPid);
    return systemTool(ownPid);
}

ProcessNetworkReader::ProcessNetworkReader(PseudoTerminalLauncher &launcher, const Clock &clock, Command command)
    : m_launcher(launcher)
    , m_clock(clock)
    , m_command(std::move(command))
    , m_available(isUsable(m_command.tool))
    , m_lastLaunch(-std::numeric_limits<double>::infinity())
{
}

ProcessNetworkReader::~ProcessNetworkReader()
{
    if (m_queue)
        m_queue->shutdown();
    // Joins the terminal's reading thread, so no handler runs after this.
    m_process.reset();
}

double ProcessNetworkReader::now() const
{
    return double(m_clock.monotonicMs()) / 1000.0;
}

void ProcessNetworkReader::start()
{
    std::lock_guard lock(m_control);
    m_started = true;
    // The queue's thread comes with the first start: an application whose
    // Task Manager is never opened never has it.
    if (!m_queue)
        m_queue = std::make_unique<SerialQueue>(TaskManagerText::networkQueue);
    // Measurements with processes start the reader every second; while its
    // tool runs, there is nothing to wake the queue for.
    if (m_toolRunning)
        return;
    m_queue->post([this] { startOnQueue(); });
}

void ProcessNetworkReader::stop()
{
    std::lock_guard lock(m_control);
    // Measurements without processes stop the reader every second; once it
    // is stopped, there is nothing to wake the queue for.
    if (!m_started)
        return;
    m_started = false;
    m_toolRunning = false;
    m_queue->post([this] { stopOnQueue(); });
}

void ProcessNetworkReader::waitForIdle()
{
    SerialQueue *queue = nullptr;
    {
        std::lock_guard lock(m_control);
        queue = m_queue.get();
    }
    if (queue)
        queue->waitForIdle();
}

QHash<qint32, double> ProcessNetworkReader::rates(double from, double to)
{
    return m_log.rates(from, to, now());
}

std::optional<QString> ProcessNetworkReader::name(qint32 pid)
{
    return m_log.name(pid, now());
}

void ProcessNetworkReader::startOnQueue()
{
    if (m_process && m_process->isRunning())
        return;
    // The throttle counts from the attempt, so a tool that fails at once is
    // tried again only every 10 s.
    const double uptime = now();
    if (uptime - m_lastLaunch > relaunchInterval) {
        m_lastLaunch = uptime;
        launch();
    }
}

void ProcessNetworkReader::launch()
{
    m_process.reset();
    if (!isUsable(m_command.tool)) {
        m_available = false;
        return;
    }
    m_log.beginRun();
    const quint64 run = ++m_run;
    PseudoTerminalLauncher::Handlers handlers;
    handlers.output = [this, run](const QByteArray &data) {
        m_queue->post([this, run, data] {
            if (run != m_run)
                return;
            m_log.consume(data, now());
            if (m_log.headerCount() > 0)
                m_available = true;
        });
    };
    handlers.finished = [this, run] {
        m_queue->post([this, run] {
            if (run != m_run)
                return;
            if (m_log.headerCount() == 0)
                m_available = false;
            setToolRunning(false);
        });
    };
    m_process = m_launcher.launch(m_command.program, m_command.arguments, std::move(handlers));
    if (!m_process)
        m_available = false;
    setToolRunning(m_process != nullptr);
}

void ProcessNetworkReader::setToolRunning(bool running)
{
    std::lock_guard lock(m_control);
    // A stop meanwhile has the last word; its own round on the queue
    // follows.
    m_toolRunning = running && m_started;
}

void ProcessNetworkReader::stopOnQueue()
{
    ++m_run;
    m_process.reset();
    m_lastLaunch = -std::numeric_limits<double>::infinity();
    m_log.clear();
}

} // namespace Velmora
