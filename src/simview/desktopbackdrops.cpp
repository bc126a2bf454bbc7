#include "simview/desktopbackdrops.h"

#include "platform/sim/simdesktop.h"
#include "platform/sim/simstatusitem.h"
#include "simview/desktopbackdrop.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QSet>
#include <QTimerEvent>

namespace Velmora::SimView {

DesktopBackdrops::DesktopBackdrops(Sim::SimDesktop &desktop, Sim::SimStatusItem *statusItem, QObject *parent)
    : QObject(parent)
    , m_desktop(desktop)
    , m_statusItem(statusItem)
{
}

DesktopBackdrops::~DesktopBackdrops()
{
    if (m_started && QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
}

void DesktopBackdrops::start()
{
    if (m_started)
        return;
    m_started = true;
    if (QCoreApplication *application = QCoreApplication::instance())
        application->installEventFilter(this);
    connect(&m_desktop, &Sim::SimDesktop::worldChanged, this, &DesktopBackdrops::scheduleRepaint);
    connect(&m_desktop, &Sim::SimDesktop::displaysChanged, this, &DesktopBackdrops::syncDisplays);
    if (m_statusItem)
        connect(m_statusItem, &Sim::SimStatusItem::changed, this, &DesktopBackdrops::scheduleRepaint);
    syncDisplays();
    // Keys typed before the first click go to the application in front, as
    // on a desktop that has just come up.
    const QList<DisplayInfo> displays = m_desktop.displays();
    if (DesktopBackdrop *primary = displays.isEmpty() ? nullptr : backdrop(displays.first().displayId))
        primary->activateWindow();
}

DesktopBackdrop *DesktopBackdrops::backdrop(quint32 displayID) const
{
    const auto it = m_backdrops.find(displayID);
    return it == m_backdrops.end() ? nullptr : it->second.get();
}

void DesktopBackdrops::syncDisplays()
{
    QSet<quint32> present;
    for (const DisplayInfo &display : m_desktop.displays()) {
        if (display.displayId == 0 || display.bounds.isEmpty())
            continue;
        present.insert(display.displayId);
        if (DesktopBackdrop *existing = backdrop(display.displayId)) {
            existing->setDisplay(display);
            continue;
        }
        auto created = std::make_unique<DesktopBackdrop>(m_desktop, display);
        created->setStatusItem(m_statusItem);
        created->setClickCatcher(m_catchClick);
        created->show();
        created->lower();
        m_backdrops.emplace(display.displayId, std::move(created));
    }
    std::erase_if(m_backdrops, [&](const auto &entry) { return !present.contains(entry.first); });
}

void DesktopBackdrops::show(std::function<void()> onClick)
{
    ++m_catcherGeneration;
    setClickCatcher(std::move(onClick));
}

void DesktopBackdrops::hide()
{
    const quint64 generation = ++m_catcherGeneration;
    QMetaObject::invokeMethod(
        this,
        [this, generation] {
            if (generation == m_catcherGeneration)
                setClickCatcher({});
        },
        Qt::QueuedConnection);
}

void DesktopBackdrops::setClickCatcher(std::function<void()> onClick)
{
    m_catchClick = std::move(onClick);
    for (const auto &[displayID, backdrop] : m_backdrops)
        backdrop->setClickCatcher(m_catchClick);
}

void DesktopBackdrops::scheduleRepaint()
{
    if (!m_frame.isActive())
        m_frame.start(frameIntervalMs, Qt::PreciseTimer, this);
}

bool DesktopBackdrops::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
        // Qt's global coordinates are the simulated desktop's: the backdrops
        // lie on its displays' bounds.
        m_desktop.setPointer(static_cast<QMouseEvent *>(event)->globalPosition());
        break;
    case QEvent::Enter:
        if (const auto *enter = dynamic_cast<QEnterEvent *>(event))
            m_desktop.setPointer(enter->globalPosition());
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void DesktopBackdrops::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_frame.timerId()) {
        QObject::timerEvent(event);
        return;
    }
    m_frame.stop();
    for (const auto &[displayID, backdrop] : m_backdrops)
        backdrop->update();
}

} // namespace Velmora::SimView
