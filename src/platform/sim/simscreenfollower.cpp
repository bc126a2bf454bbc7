#include "platform/sim/simscreenfollower.h"

#include "platform/sim/simdesktop.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

namespace Velmora::Sim {

SimScreenFollower::SimScreenFollower(SimDesktop &desktop, QObject *parent)
    : QObject(parent)
    , m_desktop(desktop)
{
}

void SimScreenFollower::start()
{
    auto *application = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    if (!application)
        return;
    connect(application, &QGuiApplication::screenAdded, this, [this](QScreen *screen) {
        watch(screen);
        scheduleSync();
    });
    connect(application, &QGuiApplication::screenRemoved, this, &SimScreenFollower::scheduleSync);
    connect(application, &QGuiApplication::primaryScreenChanged, this, &SimScreenFollower::scheduleSync);
    for (QScreen *screen : QGuiApplication::screens())
        watch(screen);
    sync();
}

QList<SimScreenState> SimScreenFollower::sessionScreens()
{
    QList<QScreen *> screens = QGuiApplication::screens();
    // The primary screen is the main display.
    if (QScreen *primary = QGuiApplication::primaryScreen()) {
        screens.removeOne(primary);
        screens.prepend(primary);
    }
    QList<SimScreenState> states;
    for (const QScreen *screen : std::as_const(screens)) {
        const QString key = screen->name() + QLatin1Char('/') + screen->serialNumber();
        states.append({key, screen->name(), QRectF(screen->geometry()), screen->devicePixelRatio()});
    }
    return states;
}

void SimScreenFollower::watch(QScreen *screen)
{
    connect(screen, &QScreen::geometryChanged, this, &SimScreenFollower::scheduleSync);
    connect(screen, &QScreen::logicalDotsPerInchChanged, this, &SimScreenFollower::scheduleSync);
}

void SimScreenFollower::scheduleSync()
{
    if (m_syncPending)
        return;
    m_syncPending = true;
    QMetaObject::invokeMethod(this, &SimScreenFollower::sync, Qt::QueuedConnection);
}

void SimScreenFollower::sync()
{
    m_syncPending = false;
    const QList<DisplayInfo> current = m_desktop.displays();
    const QList<DisplayInfo> displays = m_ids.displaysFor(sessionScreens(), current);
    auto same = [](const DisplayInfo &a, const DisplayInfo &b) {
        return a.displayId == b.displayId && a.name == b.name && a.bounds == b.bounds
            && a.backingScaleFactor == b.backingScaleFactor;
    };
    // A session without screens keeps the displays it had.
    if (displays.isEmpty()
        || std::equal(displays.cbegin(), displays.cend(), current.cbegin(), current.cend(), same))
        return;
    m_desktop.setDisplays(displays);
}

} // namespace Velmora::Sim
