#pragma once

#include "platform/eventtaps.h"
#include "platform/inputevents.h"
#include "platform/runningapplication.h"

#include <QMetaObject>
#include <QMutex>
#include <QObject>

#include <functional>
#include <memory>
#include <optional>

namespace Velmora {

class EventTap;
class Workspace;

// Takes over Command-M and Command-W aimed at the front window of the
// frontmost regular application when another application's window lies
// below it, so the store can minimize or close that window and keep the
// order the user had. The key press is swallowed and handed to the store on
// the main thread; every other key passes untouched.
//
// The tap is an active filter on every key the user types, so it lives on a
// thread of its own ("Velmora.MinimizeShortcutTap") and decides quickly:
// modifiers, auto-repeat and the typed character are tested before anything
// is looked up.
//
// start() and stop() are for the main thread. The frontmost application, the
// tap and the tap thread's loop are shared with the tap thread under one lock.
class MinimizeShortcutTap : public QObject
{
    Q_OBJECT
public:
    enum class Shortcut { minimize, close };

    // The swallowed key press, which shortcut it was, the frontmost
    // application and the number of its front window. On the main thread.
    using Handler = std::function<void(
        const KeyEvent &event, Shortcut shortcut, const RunningApplication &application, quint32 windowID)>;
    // The front window of `application` when closing or minimizing it would
    // bring another regular application forward; nothing otherwise, and the
    // key then goes to the application as usual. Called on the tap thread.
    using FrontWindowAboveOtherApplication
        = std::function<std::optional<quint32>(const RunningApplication &application)>;

    struct Target
    {
        Shortcut shortcut;
        RunningApplication application;
        quint32 windowID = 0;
    };

    static constexpr quint64 examinedModifiers = ShiftFlag | ControlFlag | AlternateFlag | CommandFlag;

    MinimizeShortcutTap(EventTaps &eventTaps, Workspace &workspace,
        FrontWindowAboveOtherApplication frontWindowAboveOtherApplication, Handler handler, QObject *parent = nullptr);
    // Stops the tap and joins its thread.
    ~MinimizeShortcutTap() override;

    // Starts the tap thread, which then installs the tap. Does nothing while
    // started, or when this process may not post events (the keys could not
    // be handed back to the application). A tap the system refused is asked
    // for again at the next start().
    void start();
    // Removes the tap and ends its thread, also when the thread has not yet
    // got as far as installing its tap.
    void stop();
    bool isStarted() const { return m_thread != nullptr; }
    // Whether the tap thread has its tap in place.
    bool isTapInstalled() const;
    // Whether the tap thread still runs: it ends on stop(), or at once when
    // the system refuses the tap.
    bool isTapThreadRunning() const;

    // What a key press asks for, or nothing when it is not to be taken over.
    std::optional<Target> target(const KeyEvent &event) const;
    // The character the key produced, lower-cased (up to four UTF-16 units).
    static QString character(const KeyEvent &event);

private:
    class TapThread;

    EventTaps::KeyDecision handle(const KeyEvent &event);
    void runTap(TapThread &thread, quint64 generation);
    void joinTapThread();
    void setFrontmostProcessIdentifier(qint32 processIdentifier);

    EventTaps &m_eventTaps;
    Workspace &m_workspace;
    const qint32 m_ownProcessIdentifier;
    FrontWindowAboveOtherApplication m_frontWindowAboveOtherApplication;
    Handler m_handler;

    mutable QMutex m_lock;
    // Guarded by m_lock.
    qint32 m_frontmostProcessIdentifier = 0;
    EventTap *m_eventTap = nullptr;
    quint64 m_generation = 0;
    bool m_tapThreadFinished = false;

    // Main thread only.
    std::unique_ptr<TapThread> m_thread;
    QMetaObject::Connection m_activationObserver;
};

} // namespace Velmora
