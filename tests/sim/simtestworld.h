#pragma once

#include "platform/sim/simplatform.h"
#include "platform/sim/virtualclock.h"

namespace Velmora::Test {

// A small simulated desktop: two regular applications whose windows
// interleave, front to back b1, a1, b2, a2, with Beta frontmost, on one
// 1440 by 900 display.
struct SimTestWorld {
    Sim::VirtualClock clock;
    Sim::SimPlatform platform{clock};
    Sim::SimDesktop &desktop = platform.desktop;
    qint32 alpha = 0;
    qint32 beta = 0;
    quint32 a1 = 0, a2 = 0, b1 = 0, b2 = 0;

    SimTestWorld()
    {
        DisplayInfo display;
        display.displayId = 1;
        display.bounds = QRectF(0, 0, 1440, 900);
        desktop.setDisplays({display});
        alpha = addApp(QStringLiteral("com.example.alpha"), QStringLiteral("Alpha"));
        beta = addApp(QStringLiteral("com.example.beta"), QStringLiteral("Beta"));
        // Each new window goes in front: add from the back.
        a2 = addWindow(alpha, QStringLiteral("Alpha Two"), QRectF(150, 150, 600, 400));
        b2 = addWindow(beta, QStringLiteral("Beta Two"), QRectF(50, 500, 500, 300));
        a1 = addWindow(alpha, QStringLiteral("Alpha One"), QRectF(100, 100, 600, 400));
        b1 = addWindow(beta, QStringLiteral("Beta One"), QRectF(400, 300, 600, 400));
        desktop.makeFrontmost(beta);
        clock.runPending();
        desktop.clearRequests();
    }

    qint32 addApp(const QString &bundleIdentifier, const QString &name)
    {
        Sim::SimProcess process;
        process.bundleIdentifier = bundleIdentifier;
        process.name = name;
        process.bundlePath = QStringLiteral("/Applications/%1.app").arg(name);
        return desktop.addProcess(process);
    }

    quint32 addWindow(qint32 owner, const QString &title, const QRectF &bounds)
    {
        Sim::SimWindow window;
        window.ownerPid = owner;
        window.title = title;
        window.bounds = bounds;
        return desktop.addWindow(window);
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

    // Window numbers of a window-list request, in list order.
    QList<quint32> listed(quint32 options, quint32 relativeTo = 0) const
    {
        QList<quint32> numbers;
        for (const WindowListEntry &entry : platform.windowList.copyWindowInfo(options, relativeTo).value_or(
                 QList<WindowListEntry>{}))
            numbers.append(entry.number().value_or(0));
        return numbers;
    }
};

} // namespace Velmora::Test
