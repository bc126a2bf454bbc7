#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace Velmora {

// This application among the running processes, and the programs it runs
// while it installs itself.
class ApplicationProcesses
{
public:
    enum class RunResult {
        FailedToStart,
        Finished,
        // Did not finish in time and was killed.
        TimedOut,
    };

    virtual ~ApplicationProcesses();

    virtual qint64 currentProcessIdentifier() const = 0;
    // The running instances of the application with `bundleIdentifier`,
    // this process included when it is one.
    virtual QList<qint64> runningInstances(const QString &bundleIdentifier) const = 0;
    // Asks the instance to quit; false when it is gone or refuses.
    virtual bool terminate(qint64 processIdentifier) = 0;

    // Runs `program` and waits at most `timeoutMs` for it to end.
    virtual RunResult run(const QString &program, const QStringList &arguments, int timeoutMs) = 0;
    // Starts `program` to run on after this process; false when it cannot start.
    virtual bool startDetached(const QString &program, const QStringList &arguments) = 0;
    // Opens the application installed at `path`.
    virtual bool openApplication(const QString &path) = 0;

    // Brings this application to the front, ahead of the active one.
    virtual void activateIgnoringOtherApps() = 0;
    // Ends this application once the current call returns to the event loop.
    virtual void terminateApplication() = 0;
};

} // namespace Velmora
