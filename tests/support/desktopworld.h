#pragma once

#include "platform/sim/simoperations.h"
#include "platform/sim/simplatform.h"
#include "platform/sim/virtualclock.h"
#include "displays.h"

#include <QMap>
#include <QStringList>

#include <functional>

namespace Velmora::Test {

// The event record that the private front-process call expects after it:
// 248 bytes, zero but for the fixed marks, the kind (1, then 2) and the window.
inline QByteArray eventRecord(int kind, quint32 window)
{
    QByteArray record(248, '\0');
    record[4] = char(0xF8);
    record[8] = char(kind);
    for (int i = 32; i < 48; ++i)
        record[i] = char(0xFF);
    record[58] = 0x10;
    for (int i = 0; i < 4; ++i)
        record[60 + i] = char((window >> (8 * i)) & 0xFF);
    return record;
}

// A simulated desktop on a virtual clock, with one 1440 by 900 display and
// every platform interface on top of it; the one fixture of the tests that
// run against the simulated desktop.
struct DesktopWorld
{
    Sim::VirtualClock clock;
    Sim::SimPlatform platform{clock};
    Sim::SimDesktop &desktop = platform.desktop;
    Sim::SimAccessibility &accessibility = platform.accessibility;
    Sim::SimWindowList &windowList = platform.windowList;
    Sim::SimDisplays &displays = platform.displays;
    Sim::SimWorkspace &workspace = platform.workspace;
    Sim::SimPrivateFunctions &privateFunctions = platform.privateFunctions;
    Sim::SimEventTaps &eventTaps = platform.eventTaps;
    Sim::SimScreenCapture &screenCapture = platform.screenCapture;

    DesktopWorld()
    {
        desktop.setDisplays({display(1, QRectF(0, 0, 1440, 900))});
    }

    // A regular application "com.example.<name>" in /Applications; `change`
    // adjusts it before it starts.
    qint32 addApp(const QString &name, qint32 pid = 0, const std::function<void(Sim::SimProcess &)> &change = {})
    {
        Sim::SimProcess process;
        process.pid = pid;
        process.name = name;
        process.bundleIdentifier = QStringLiteral("com.example.") + name;
        process.bundlePath = QStringLiteral("/Applications/%1.app").arg(name);
        if (change)
            change(process);
        return desktop.addProcess(process);
    }

    // The Dock, whose accessibility tree holds the tiles of minimized windows.
    qint32 addDock()
    {
        return addApp(QStringLiteral("Dock"), 0, [](Sim::SimProcess &p) {
            p.bundleIdentifier = Sim::SimDesktop::DockBundleIdentifier;
            p.bundlePath = QStringLiteral("/System/Library/CoreServices/Dock.app");
            p.policy = ActivationPolicy::Accessory;
        });
    }

    // A window in front of the others; `change` adjusts it before it is added.
    quint32 addWindow(qint32 pid, const QRectF &bounds, const QString &title = QStringLiteral("Window"),
                      const std::function<void(Sim::SimWindow &)> &change = {})
    {
        Sim::SimWindow window;
        window.ownerPid = pid;
        window.bounds = bounds;
        window.title = title;
        if (change)
            change(window);
        return desktop.addWindow(window);
    }

    RunningApplication app(qint32 pid) const { return desktop.runningApplication(*desktop.process(pid)); }

    int callsTo(const QString &operation) const { return int(desktop.requests(operation).size()); }

    // Window numbers of a window-list request, in list order.
    QList<quint32> listed(quint32 options, quint32 relativeTo = 0) const
    {
        QList<quint32> numbers;
        for (const WindowListEntry &entry :
             windowList.copyWindowInfo(options, relativeTo).value_or(QList<WindowListEntry>{}))
            numbers.append(entry.number().value_or(0));
        return numbers;
    }
};

// Two regular applications whose windows interleave, front to back b1, a1,
// b2, a2, with Beta frontmost, and an empty request log.
struct InterleavedWorld : DesktopWorld
{
    qint32 alpha = 0;
    qint32 beta = 0;
    quint32 a1 = 0, a2 = 0, b1 = 0, b2 = 0;

    InterleavedWorld()
    {
        alpha = addApp(QStringLiteral("Alpha"));
        beta = addApp(QStringLiteral("Beta"));
        // Each new window goes in front: add from the back.
        a2 = addWindow(alpha, QRectF(150, 150, 600, 400), QStringLiteral("Alpha Two"));
        b2 = addWindow(beta, QRectF(50, 500, 500, 300), QStringLiteral("Beta Two"));
        a1 = addWindow(alpha, QRectF(100, 100, 600, 400), QStringLiteral("Alpha One"));
        b1 = addWindow(beta, QRectF(400, 300, 600, 400), QStringLiteral("Beta One"));
        desktop.makeFrontmost(beta);
        clock.runPending();
        desktop.clearRequests();
    }

    // The on-screen stack by the fixture's names ("b1", "a1"...), front to
    // back, followed by the frontmost application's name ("alpha", "beta").
    QStringList stackAndFrontmost() const
    {
        const QMap<quint32, QString> names{{a1, "a1"}, {a2, "a2"}, {b1, "b1"}, {b2, "b2"}};
        QStringList stack;
        for (quint32 number : listed(WindowList::OnScreenExceptDesktop))
            stack.append(names.value(number, QString::number(number)));
        const std::optional<qint32> front = desktop.frontmostPid();
        stack.append(front == alpha ? "alpha" : front == beta ? "beta" : "other");
        return stack;
    }
};

} // namespace Velmora::Test
