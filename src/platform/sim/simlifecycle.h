#pragma once

#include "platform/inputevents.h"
#include "platform/sim/simnode.h"
#include "platform/sim/simprocess.h"
#include "platform/sim/simwindow.h"

#include <QSet>
#include <QString>

#include <functional>
#include <optional>

namespace Velmora::Sim {

struct SimDesktopParts;

// Processes and windows coming and going: adding and changing them with the
// notifications that go with it, quitting, crashing, launching, and the menu
// and key commands of the simulated applications.
class SimLifecycle
{
public:
    using LaunchCompletion = std::function<void(std::optional<qint32> pid)>;

    explicit SimLifecycle(SimDesktopParts &parts);

    // Empties the world; this process stays.
    void clear();
    void setSelfPid(qint32 pid);
    // This process is always part of the world, as an accessory application
    // without simulated windows: the desktop always lists the running process.
    void ensureSelfProcess();

    qint32 addProcess(SimProcess process);
    quint32 addWindow(SimWindow window);
    bool updateWindow(quint32 number, const std::function<void(SimWindow &)> &change);
    bool updateProcess(qint32 pid, const std::function<void(SimProcess &)> &change);
    bool moveWindow(quint32 number, const QRectF &bounds);
    void setStackingOrder(const QList<quint32> &frontToBack);

    // Ends the process after its close duration.
    bool terminate(qint32 pid);
    bool isTerminating(qint32 pid) const { return m_terminating.contains(pid); }
    // Ends the process at once (a crash).
    void killProcess(qint32 pid);
    // Ends every process of that name at once; the Dock restarts.
    void killAll(const QString &name);
    void destroyWindow(quint32 number);
    // Destroys a window at once; false when there is no such window.
    bool removeWindow(quint32 number);

    // How long a caller waiting at most `timeoutMs` for `pid` waits, and
    // whether it gets an answer: a hung process never answers, a busy one
    // answers once it is free, a gone one at once (with an error).
    struct Answer {
        qint64 waitMs = 0;
        bool answered = true;
    };
    Answer answer(qint32 pid, qint64 timeoutMs) const;
    // How much longer the process stays busy; 0 when it is free, hung or gone.
    qint64 busyRemainingMs(qint32 pid) const;

    // A menu or key command of an application ("newWindow", "closeWindow", "minimizeWindow").
    bool runCommand(qint32 pid, const QString &command);
    // A key event reaching the application: Command with a menu item's key
    // runs its command; Command-M, Command-W and Command-N do what they do by default.
    bool handleKey(qint32 pid, const KeyEvent &event);
    // A key event the user typed reaches the frontmost application; false when there is none.
    bool handleKeyOfFrontmost(const KeyEvent &event);
    // `completion` runs on the desktop's thread without the lock.
    void launch(const QString &bundlePath, bool activates, LaunchCompletion completion);

    // The processes whose focus changes are not told (they are on their way out).
    const QSet<qint32> &ending() const { return m_ending; }

private:
    void notifyFrameChange(const SimNode &window, const QRectF &before, const QRectF &after);
    void endProcess(qint32 pid);
    quint32 createWindowForCommand(qint32 pid, const QString &title);

    SimDesktopParts &m_parts;
    QSet<qint32> m_terminating;
    QSet<qint32> m_ending;
};

} // namespace Velmora::Sim
