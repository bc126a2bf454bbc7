#pragma once

// A store whose clicks and window actions drive the simulated desktop, with
// the application layer's own windows and the close confirmation faked.

#include "platform/axnames.h"
#include "platform/sim/simrelauncher.h"
#include "services/axreads.h"
#include "services/dockminimizedwindows.h"
#include "services/appexpose.h"
#include "services/siblingraiseguard.h"
#include "services/watchthreads.h"
#include "store/ownwindowshost.h"
#include "store/servicewindowguard.h"
#include "store/windowcloseconfirmation.h"
#include "store/windowguard.h"
#include "storeworld.h"

#include <QPointer>

namespace Velmora::Test {

// The window services that keep the window order, for real on the simulated
// desktop, except that the watches are only recorded: a test sees which
// watch the store started, and nothing moves behind its back.
class RecordingWindowGuard final : public WindowGuard
{
public:
    explicit RecordingWindowGuard(WindowGuard &services)
        : m_services(services)
    {
    }

    QStringList watches;

    bool isOnScreen(quint32 windowID) const override { return m_services.isOnScreen(windowID); }
    QList<StackEntry> stackEntries() const override { return m_services.stackEntries(); }
    QSet<quint32> windowIDs(qint32 pid) const override { return m_services.windowIDs(pid); }
    void watchFocus(const AXElement &, quint32 windowID, const RunningApplication &) override
    {
        watches << QStringLiteral("focus %1").arg(windowID);
    }
    void watchPress(const RunningApplication &application) override
    {
        watches << QStringLiteral("press %1").arg(application.processIdentifier);
    }
    void watchRestore(const AXElement &, std::optional<quint32> restoredWindowID, const RunningApplication &,
        const QSet<quint32> &, quint32 coveredWindowID, const RunningApplication &) override
    {
        watches << QStringLiteral("restore %1 over %2").arg(restoredWindowID.value_or(0)).arg(coveredWindowID);
    }
    void watchMinimize(std::optional<quint32> windowID, const RunningApplication &, const QSet<quint32> &,
        const std::optional<RunningApplication> &previous, bool appWasDeactivated) override
    {
        watches << QStringLiteral("minimize %1 back to %2%3")
                       .arg(windowID.value_or(0))
                       .arg(previous ? previous->processIdentifier : 0)
                       .arg(appWasDeactivated ? " deactivated" : "");
    }
    void watchMinimize(quint32 windowID, const RunningApplication &, const AXElement &, quint32 nextWindowID) override
    {
        watches << QStringLiteral("minimize %1 then %2").arg(windowID).arg(nextWindowID);
    }
    void watchClose(quint32 windowID, const RunningApplication &, const QSet<quint32> &before, const QSet<quint32> &,
        const std::optional<RunningApplication> &previous) override
    {
        watches << QStringLiteral("close %1 of %2 back to %3")
                       .arg(windowID)
                       .arg(before.size())
                       .arg(previous ? previous->processIdentifier : 0);
    }
    bool focus(quint32 windowID, const RunningApplication &application) override
    {
        return m_services.focus(windowID, application);
    }
    void makeFrontmost(qint32 pid) override { m_services.makeFrontmost(pid); }
    std::optional<qsizetype> windowIndex(
        const QPointF &point, const QList<StackEntry> &entries, qint32 pid) const override
    {
        return m_services.windowIndex(point, entries, pid);
    }
    std::optional<StackEntry> windowBelow(qsizetype index, const QList<StackEntry> &entries, qint32 own) const override
    {
        return m_services.windowBelow(index, entries, own);
    }
    std::optional<RunningApplication> applicationBelow(qsizetype index, const QList<StackEntry> &entries) const override
    {
        return m_services.applicationBelow(index, entries);
    }
    std::optional<TitleBarButton> buttonFrame(const QPointF &point, qint32 pid) override
    {
        return m_services.buttonFrame(point, pid);
    }
    std::optional<AXElement> closeButtonIfShortcutCloses(quint32 windowID, qint32 pid) override
    {
        return m_services.closeButtonIfShortcutCloses(windowID, pid);
    }

private:
    WindowGuard &m_services;
};

// The application layer's windows, recorded.
class FakeOwnWindows final : public OwnWindowsHost
{
public:
    std::optional<Window> settings;
    std::optional<Window> taskManager;
    QList<Window> others;
    std::optional<QString> othersTitle;
    QStringList calls;
    std::function<void()> changed;

    void setWindowsChangedHandler(std::function<void()> handler) override { changed = std::move(handler); }
    std::optional<Window> settingsWindow() const override { return settings; }
    void createSettingsWindow() override
    {
        calls << QStringLiteral("create settings");
        settings = Window { 90, false, false };
    }
    std::optional<Window> taskManagerWindow() const override { return taskManager; }
    void presentTaskManager() override { calls << QStringLiteral("present task manager"); }
    QList<Window> otherWindows() const override { return others; }
    std::optional<QString> otherWindowsButtonTitle() const override { return othersTitle; }
    void miniaturize(quint32 number) override { calls << QStringLiteral("miniaturize %1").arg(number); }
    void show(quint32 number) override { calls << QStringLiteral("show %1").arg(number); }
    void activate() override { calls << QStringLiteral("activate"); }
    void makeTaskbarPanelKey() override { calls << QStringLiteral("panel key"); }
    void beep() override { calls << QStringLiteral("beep"); }
    void terminate() override { calls << QStringLiteral("terminate"); }
};

// The close confirmation; a test answers each request.
class FakeCloseConfirmation final : public WindowCloseConfirmation
{
public:
    struct Request
    {
        Text text;
        QPointer<QObject> context;
        std::function<void(bool)> done;
    };
    QList<Request> requests;

    void confirm(const QIcon &, const Text &text, QObject *context, std::function<void(bool)> done) override
    {
        requests.append({ text, context, std::move(done) });
    }
    void answer(qsizetype index, bool confirmed)
    {
        const Request request = requests.at(index);
        if (request.context)
            request.done(confirmed);
    }
};

struct ClicksWorld : StoreWorld
{
    AppExpose expose { privateFunctions, clock };
    WatchThreads threads { clock, clock };
    SiblingRaiseGuard raiseGuard { { accessibility, windowList, workspace, eventTaps, expose, provider, threads } };
    ServiceWindowGuard services { raiseGuard, expose, accessibility, workspace, provider };
    RecordingWindowGuard guard { services };
    FakeOwnWindows ownWindows;
    FakeCloseConfirmation confirmation;
    DockMinimizedWindows dock { accessibility, workspace };
    Sim::SimRelauncher &relauncher = platform.relauncher;
    // What the store is given as its window guard; the recorded one unless a test swaps it.
    WindowGuard *storeGuard = &guard;

    std::unique_ptr<TaskbarStore> makeStore(bool observesSystem = false)
    {
        TaskbarStoreEnvironment env = environment();
        env.windowList = &windowList;
        env.displays = &displays;
        env.eventTaps = &eventTaps;
        env.sleeper = &clock;
        env.windowGuard = storeGuard;
        env.dockMinimizedWindows = &dock;
        env.fileIcons = &icons;
        env.ownWindows = &ownWindows;
        env.closeConfirmation = &confirmation;
        env.relauncher = &relauncher;
        return std::make_unique<TaskbarStore>(defaults, nullptr, observesSystem, env);
    }

    // Runs the background work and whatever it sets off, with no time passing.
    void settle()
    {
        background.runAll();
        clock.runPending();
        background.runAll();
    }

    // The logged requests of these operations, one line each:
    // "<operation> <pid> <name> <detail>".
    QStringList log(const QStringList &operations) const
    {
        QStringList lines;
        for (const Sim::SimRequest &request : desktop.requests()) {
            if (!operations.contains(request.operation))
                continue;
            QString detail = request.detail.toString();
            if (request.detail.typeId() == QMetaType::QVariantMap) {
                const QVariantMap map = request.detail.toMap();
                if (map.contains(QStringLiteral("keyCode")))
                    detail = QStringLiteral("%1/%2/%3")
                                 .arg(map.value("keyCode").toUInt())
                                 .arg(map.value("flags").toULongLong(), 0, 16)
                                 .arg(map.value("type").toUInt() == 10 ? "down" : "up");
            }
            lines << QStringLiteral("%1 %2 %3 %4").arg(request.operation).arg(request.pid).arg(request.name, detail).simplified();
        }
        return lines;
    }
};

} // namespace Velmora::Test
