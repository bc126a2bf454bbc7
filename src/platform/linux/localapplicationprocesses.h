#pragma once

#include "platform/applicationprocesses.h"

namespace Velmora::Linux {

// This application's processes on this machine: its instances are the
// processes running its executable.
class LocalApplicationProcesses final : public ApplicationProcesses
{
public:
    // `procRoot` is a parameter so tests read a fixture tree.
    LocalApplicationProcesses(QString bundleIdentifier, QString executable, QString procRoot = QStringLiteral("/proc"));

    qint64 currentProcessIdentifier() const override;
    QList<qint64> runningInstances(const QString &bundleIdentifier) const override;
    bool terminate(qint64 processIdentifier) override;
    RunResult run(const QString &program, const QStringList &arguments, int timeoutMs) override;
    bool startDetached(const QString &program, const QStringList &arguments) override;
    bool openApplication(const QString &path) override;
    void activateIgnoringOtherApps() override;
    void terminateApplication() override;

    // run() for any caller: `succeeded` tells whether the program finished
    // normally with exit code 0.
    static RunResult runWithin(const QString &program, const QStringList &arguments, int timeoutMs,
                               bool *succeeded = nullptr);

private:
    QString m_bundleIdentifier;
    QString m_executable;
    QString m_procRoot;
};

} // namespace Velmora::Linux
