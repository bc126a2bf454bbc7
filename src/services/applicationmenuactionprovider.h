#pragma once

#include "platform/privatefunctions.h"
#include "platform/runningapplication.h"
#include "services/applicationmenuaction.h"

#include <QList>
#include <QObject>
#include <QThreadPool>

#include <functional>
#include <optional>

namespace Velmora {

class Accessibility;
class Scheduler;
class Workspace;

// Finds a small, fixed set of commands (New Window, New Private Window, New
// Finder Window...) in other applications' menu bars and presses them on the
// user's behalf.
//
// discoverActions, pressAction and pressFreshAction block on the other
// application's answers; they keep no state and may run on any thread while
// the provider lives. The store runs discovery off the main thread. perform
// is the one main-thread entry: it brings the application forward and
// presses the item from a worker, so the bar never waits for a slow menu bar.
class ApplicationMenuActionProvider : public QObject
{
    Q_OBJECT
public:
    using Kind = ApplicationMenuAction::Kind;

    // Top-level menu items are depth 0; items further down than this are
    // never looked at (menus nest: item, menu, item, menu...).
    static constexpr int maximumDepth = 6;
    // Waiting for the application to come forward before pressing.
    static constexpr int frontmostChecks = 25;
    static constexpr qint64 frontmostCheckIntervalMs = 20;
    // A press that found nothing is tried once more after this pause: an
    // application that has just come forward may still be rebuilding its menus.
    static constexpr qint64 lastPressDelayMs = 200;
    // Front-process options that bring the application forward without raising a window.
    static constexpr quint32 frontProcessOptions = 0x400;
    static constexpr QLatin1String finderBundleIdentifier { "com.apple.finder" };

    // How an application that is not active is brought forward: the sibling-raise
    // guard's activation watch names the window that was in front (and keeps the
    // application's other windows from rising over third ones), and that window
    // is then focused. Either may be empty; the provider then brings the
    // application forward without naming a window.
    struct Forwarding
    {
        std::function<std::optional<quint32>(const RunningApplication &application)> watchActivation;
        std::function<bool(quint32 windowID, const RunningApplication &application)> focusWindow;
    };

    ApplicationMenuActionProvider(Accessibility &accessibility, Workspace &workspace,
        const PrivateFunctions &privateFunctions, Scheduler &scheduler, Forwarding forwarding = {},
        QObject *parent = nullptr);
    ~ApplicationMenuActionProvider() override;

    // The kinds looked for in the application with that bundle identifier, in
    // the order discovery returns them: Finder has its own five, every other
    // application (also one without an identifier) the general seven.
    static const QList<Kind> &kinds(const QString &bundleIdentifier);
    // The kind of a menu title: the title without ellipses ("…" or "..."),
    // trimmed and lower-cased, looked up exactly; nothing for any other title.
    static std::optional<Kind> kind(const QString &title);

    // At most one action per kind, in the order of the application's kinds.
    // Empty without accessibility trust or when the application has no menu bar.
    QList<ApplicationMenuAction> discoverActions(qint32 processIdentifier);

    // Runs the command and returns at once: brings the application forward when
    // it is not active, waits up to half a second for it to be frontmost, then
    // presses the item by its path, else the first enabled item of its kind
    // found afresh, and after a short pause tries a fresh press once more. A
    // command that cannot be pressed is dropped silently. Main thread only.
    void perform(const ApplicationMenuAction &action, const RunningApplication &application);

    // Presses the item at `path` when it is still an enabled item of `kind`.
    bool pressAction(Kind kind, const QList<int> &path, qint32 processIdentifier);
    // Discovers the commands again and presses the first enabled one of `kind`.
    bool pressFreshAction(Kind kind, qint32 processIdentifier);

    // Blocks until no press is running; for shutdown and tests.
    bool waitForPresses(int timeoutMs = -1);

private:
    struct Discovery;
    struct Run;

    void walk(const AXElement &element, QList<int> &path, int depth, Discovery &found);
    void start(const Run &run);
    void waitUntilFrontmost(const Run &run, int failedChecks);
    void bringForward(const RunningApplication &application);
    // The presses run on the worker pool; `last` is the final fresh press.
    void press(const Run &run, bool last);

    Accessibility &m_accessibility;
    Workspace &m_workspace;
    const PrivateFunctions &m_privateFunctions;
    Scheduler &m_scheduler;
    Forwarding m_forwarding;

    bool m_frontFunctionsResolved = false;
    PrivateFunctions::GetProcessForPID m_getProcessForPID;
    PrivateFunctions::SLPSSetFrontProcessWithOptions m_setFrontProcess;

    QThreadPool m_pressPool;
};

} // namespace Velmora
