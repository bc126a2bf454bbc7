#pragma once

#include "taskmanager/sampling/managedprocess.h"

#include "taskmanager/sampling/serialqueue.h"

#include <QObject>

#include <functional>
#include <memory>
#include <optional>

namespace Velmora {

class SystemMonitor;
class SystemStatistics;
class Workspace;

// What the user can do with a process: end or force quit it after a
// confirmation, reveal its executable, search the web for its name. Holds
// the confirmation and error texts the view shows as alerts, and the path
// the footer shows for the selected process.
class ProcessActionsViewModel : public QObject
{
    Q_OBJECT
public:
    struct Environment
    {
        SystemMonitor *monitor = nullptr;
        SystemStatistics *statistics = nullptr;
        Workspace *workspace = nullptr;
        qint32 ownPid = 0;
        quint32 ownUid = 0;
    };

    struct Alert
    {
        QString title;
        QString message;
        // The buttons, the cancelling one first; the last one is destructive
        // when there are two.
        QStringList buttons;

        friend bool operator==(const Alert &, const Alert &) = default;
    };

    explicit ProcessActionsViewModel(Environment environment, QObject *parent = nullptr);
    // Waits for path look-ups under way.
    ~ProcessActionsViewModel() override;

    // Asks to end (or force quit) the process; the confirmation shows while
    // it is pending. A new request replaces one still pending.
    void requestEnd(const ManagedProcess &process, bool force);
    const std::optional<ManagedProcess> &pending() const { return m_pending; }
    bool isForce() const { return m_force; }
    // The confirmation's destructive button: the signal goes to the process
    // as it was when the request was made.
    void confirmPending();
    void cancelPending();
    static Alert confirmation(const std::optional<ManagedProcess> &process, bool force);

    // Opens a file manager with the executable selected, or says why not.
    void showInFinder(const ManagedProcess &process);
    const std::optional<QString> &finderError() const { return m_finderError; }
    void dismissFinderError();
    static Alert finderFailure(const QString &message);

    // The failure of the last End Task or Force Quit.
    std::optional<QString> endError() const;
    void dismissEndError();
    static Alert endFailure(const QString &message);

    // Opens the web search for the process's name; nothing for a blank name.
    void searchWeb(const ManagedProcess &process);

    // The footer follows the selected process: its path is looked up off the
    // main thread, and a late answer for a process no longer selected is dropped.
    void setFooterProcess(const std::optional<ManagedProcess> &process);
    const std::optional<QString> &selectedExecutablePath() const { return m_selectedExecutablePath; }
    // Protected processes cannot be ended from here: the first processes of
    // the system, this application, and other users' processes.
    bool isProtected(const ManagedProcess &process) const;
    QString footerTitle(const ManagedProcess &process) const;
    QString footerPath() const;

signals:
    void pendingChanged();
    void finderErrorChanged();
    void endErrorChanged();
    void selectedExecutablePathChanged();

private:
    void setFinderError(const std::optional<QString> &error);
    void setSelectedExecutablePath(const std::optional<QString> &path);

    Environment m_env;
    std::optional<ManagedProcess> m_pending;
    bool m_force = false;
    std::optional<QString> m_finderError;
    std::optional<QString> m_selectedExecutablePath;
    QString m_footerIdentity;
    quint64 m_footerGeneration = 0;
    void lookUp(std::function<void()> job);

    // Path look-ups read the process table, which may take a moment; they
    // run off the main thread, on a queue made at the first one. Last: goes
    // first, finishing the look-up under way while what it uses is still here.
    std::unique_ptr<SerialQueue> m_lookups;
};

} // namespace Velmora
