#include "platform/sim/simworld.h"

#include <algorithm>
#include <vector>

namespace Velmora::Sim {

namespace {
constexpr double TitleBarButtonWidth = 14;
constexpr double TitleBarButtonHeight = 16;
constexpr double TitleBarButtonTop = 4;
constexpr double CloseButtonLeft = 8;
constexpr double ButtonSpacing = 20;
} // namespace

SimProcess *SimWorld::process(qint32 pid)
{
    const auto it = m_processes.find(pid);
    return it == m_processes.end() ? nullptr : &*it;
}

const SimProcess *SimWorld::process(qint32 pid) const
{
    const auto it = m_processes.constFind(pid);
    return it == m_processes.cend() ? nullptr : &*it;
}

QList<SimProcess> SimWorld::processes() const
{
    QList<SimProcess> result;
    result.reserve(m_launchOrder.size());
    for (qint32 pid : m_launchOrder)
        result.append(m_processes.value(pid));
    return result;
}

qint32 SimWorld::addProcess(SimProcess process, qint64 nowWallClockMs)
{
    if (process.pid == 0) {
        while (m_processes.contains(m_nextPid) || m_nextPid == m_selfPid)
            ++m_nextPid;
        process.pid = m_nextPid++;
    }
    if (m_processes.contains(process.pid))
        return 0;
    if (process.launchDateMs == 0)
        process.launchDateMs = nowWallClockMs;
    process.life = m_nextLife++;
    process.windowOrder.clear();
    m_processes.insert(process.pid, process);
    m_launchOrder.append(process.pid);
    return process.pid;
}

void SimWorld::removeProcess(qint32 pid)
{
    m_processes.remove(pid);
    m_launchOrder.removeOne(pid);
    if (m_frontmost == pid)
        m_frontmost.reset();
}

SimWindow *SimWorld::window(quint32 number)
{
    const auto it = m_windows.find(number);
    return it == m_windows.end() ? nullptr : &*it;
}

const SimWindow *SimWorld::window(quint32 number) const
{
    const auto it = m_windows.constFind(number);
    return it == m_windows.cend() ? nullptr : &*it;
}

quint32 SimWorld::addWindow(SimWindow window)
{
    SimProcess *owner = process(window.ownerPid);
    if (!owner)
        return 0;
    if (window.number == 0) {
        while (m_windows.contains(m_nextWindowNumber))
            ++m_nextWindowNumber;
        window.number = m_nextWindowNumber++;
    }
    if (m_windows.contains(window.number))
        return 0;
    if (window.layer < 0)
        window.desktopElement = true;
    if (window.remoteElementId == 0)
        window.remoteElementId = 40 + 7 * quint64(owner->windowOrder.size()) + (window.number % 1000) * 97;
    m_windows.insert(window.number, window);
    m_order.prepend(window.number);
    owner->windowOrder.prepend(window.number);
    return window.number;
}

void SimWorld::removeWindow(quint32 number)
{
    const auto it = m_windows.constFind(number);
    if (it == m_windows.cend())
        return;
    if (SimProcess *owner = process(it->ownerPid))
        owner->windowOrder.removeOne(number);
    m_order.removeOne(number);
    m_windows.erase(it);
}

QList<quint32> SimWorld::stackingOrder() const
{
    // Higher layers always lie in front; within a layer the order is the stack.
    QList<quint32> order = m_order;
    std::stable_sort(order.begin(), order.end(), [this](quint32 a, quint32 b) {
        return m_windows.constFind(a)->layer > m_windows.constFind(b)->layer;
    });
    return order;
}

void SimWorld::forEachWindow(const std::function<void(const SimWindow &)> &visit) const
{
    // As stackingOrder(), sorting the records themselves so a listing of
    // many windows looks each one up once.
    std::vector<const SimWindow *> ordered;
    ordered.reserve(size_t(m_order.size()));
    for (quint32 number : m_order)
        ordered.push_back(&*m_windows.constFind(number));
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const SimWindow *a, const SimWindow *b) { return a->layer > b->layer; });
    for (const SimWindow *window : ordered)
        visit(*window);
}

void SimWorld::bringToFront(const QList<quint32> &frontToBack)
{
    for (auto it = frontToBack.crbegin(); it != frontToBack.crend(); ++it) {
        const quint32 number = *it;
        const SimWindow *w = window(number);
        if (!w)
            continue;
        m_order.removeOne(number);
        m_order.prepend(number);
        if (SimProcess *owner = process(w->ownerPid)) {
            owner->windowOrder.removeOne(number);
            owner->windowOrder.prepend(number);
        }
    }
}

void SimWorld::placeBehind(quint32 number, quint32 anchor)
{
    const qsizetype at = m_order.indexOf(number);
    const qsizetype behind = m_order.indexOf(anchor);
    if (at < 0 || behind < 0 || at < behind)
        return;
    m_order.removeAt(at);
    m_order.insert(behind + 1, number);
}

void SimWorld::placeInFrontOfSiblings(quint32 number)
{
    const SimWindow *w = window(number);
    if (!w)
        return;
    SimProcess *owner = process(w->ownerPid);
    owner->windowOrder.removeOne(number);
    owner->windowOrder.prepend(number);
    const qsizetype old = m_order.indexOf(number);
    m_order.removeAt(old);
    qsizetype at = old;
    for (qsizetype i = 0; i < m_order.size(); ++i) {
        if (m_windows.value(m_order[i]).ownerPid == w->ownerPid) {
            at = std::min(i, old);
            break;
        }
    }
    m_order.insert(at, number);
}

void SimWorld::setStackingOrder(const QList<quint32> &frontToBack)
{
    QList<quint32> known;
    for (quint32 number : frontToBack) {
        if (m_windows.contains(number) && !known.contains(number))
            known.append(number);
    }
    bringToFront(known);
}

bool SimWorld::isOnCurrentSpace(const SimWindow &window) const
{
    if (window.space == 0)
        return true;
    if (m_shownSpaces.isEmpty() && m_fullScreenSpaces.isEmpty())
        return window.space == m_currentSpace;
    if (const auto own = m_fullScreenSpaces.constFind(window.space); own != m_fullScreenSpaces.cend())
        return m_shownSpaces.value(own->displayId) == window.space;
    const DisplayInfo *display = displayAt(window.bounds);
    return window.space == (display ? spaceShownOn(display->displayId) : m_currentSpace);
}

void SimWorld::showSpace(quint32 displayId, int space)
{
    if (space == 0)
        m_shownSpaces.remove(displayId);
    else
        m_shownSpaces.insert(displayId, space);
}

int SimWorld::addFullScreenSpace(SimFullScreenSpace space)
{
    if (space.space == 0 || m_fullScreenSpaces.contains(space.space))
        space.space = m_nextSpace++;
    m_nextSpace = std::max(m_nextSpace, space.space + 1);
    m_fullScreenSpaces.insert(space.space, space);
    return space.space;
}

void SimWorld::removeFullScreenSpace(int space)
{
    m_fullScreenSpaces.remove(space);
    for (auto it = m_shownSpaces.begin(); it != m_shownSpaces.end();)
        it = it.value() == space ? m_shownSpaces.erase(it) : std::next(it);
}

const DisplayInfo *SimWorld::displayOf(const SimWindow &window) const
{
    if (const auto own = m_fullScreenSpaces.constFind(window.space); own != m_fullScreenSpaces.cend()) {
        for (const DisplayInfo &display : m_displays) {
            if (display.displayId == own->displayId)
                return &display;
        }
    }
    return displayAt(window.bounds);
}

bool SimWorld::isOnScreen(const SimWindow &window) const
{
    const SimProcess *owner = process(window.ownerPid);
    return owner && !owner->hidden && window.visible && !window.minimized && isOnCurrentSpace(window);
}

std::optional<quint32> SimWorld::focusedWindow(qint32 pid) const
{
    const SimProcess *p = process(pid);
    if (!p)
        return std::nullopt;
    for (quint32 number : p->windowOrder) {
        const SimWindow &w = *m_windows.constFind(number);
        if (w.visible && !w.minimized && w.accessible && isOnCurrentSpace(w))
            return number;
    }
    return std::nullopt;
}

QList<quint32> SimWorld::accessibleWindows(qint32 pid) const
{
    QList<quint32> result;
    const SimProcess *p = process(pid);
    if (!p)
        return result;
    for (quint32 number : p->windowOrder) {
        const SimWindow &w = *m_windows.constFind(number);
        // Accessibility sees the windows of this Space only.
        if (w.visible && w.accessible && isOnCurrentSpace(w))
            result.append(number);
    }
    return result;
}

std::optional<quint32> SimWorld::windowAt(const QPointF &globalPoint) const
{
    std::optional<quint32> hit;
    forEachWindow([&](const SimWindow &w) {
        if (!hit && w.layer >= 0 && !w.desktopElement && isOnScreen(w) && drawnFrame(w).contains(globalPoint))
            hit = w.number;
    });
    return hit;
}

std::optional<quint32> SimWorld::windowForRemoteElement(qint32 pid, quint64 remoteElementId) const
{
    const SimProcess *p = process(pid);
    if (!p)
        return std::nullopt;
    for (quint32 number : p->windowOrder) {
        if (m_windows.constFind(number)->remoteElementId == remoteElementId)
            return number;
    }
    return std::nullopt;
}

RunningApplication SimWorld::runningApplication(const SimProcess &process) const
{
    RunningApplication application;
    application.processIdentifier = process.pid;
    application.launchDateMs = process.launchDateMs;
    application.bundleIdentifier = process.bundleIdentifier;
    application.localizedName = process.name;
    application.bundlePath = process.bundlePath;
    application.executablePath = process.executablePath;
    application.activationPolicy = process.policy;
    application.isActive = m_frontmost == process.pid;
    application.isHidden = process.hidden;
    const SimProcess *current = this->process(process.pid);
    application.isTerminated = !current || current->life != process.life;
    return application;
}

const DisplayInfo *SimWorld::displayAt(const QRectF &bounds) const
{
    if (m_displays.isEmpty())
        return nullptr;
    for (const DisplayInfo &display : m_displays) {
        if (display.bounds.contains(bounds.center()))
            return &display;
    }
    return &m_displays.first();
}

QRectF SimWorld::buttonFrame(const SimWindow &window, SimNode::Kind button)
{
    int slot = 0;
    if (button == SimNode::Kind::MinimizeButton)
        slot = 1;
    else if (button == SimNode::Kind::ZoomButton)
        slot = 2;
    return QRectF(window.bounds.x() + CloseButtonLeft + slot * ButtonSpacing, window.bounds.y() + TitleBarButtonTop,
                  TitleBarButtonWidth, TitleBarButtonHeight);
}

void SimWorld::clear()
{
    m_processes.clear();
    m_launchOrder.clear();
    m_windows.clear();
    m_order.clear();
    m_installed.clear();
    m_favoriteFolders.clear();
    m_frontmost.reset();
    m_displays.clear();
    m_preferences.clear();
    m_missingPrivateFunctions.clear();
    m_currentSpace = 1;
    m_fullScreenSpaces.clear();
    m_shownSpaces.clear();
}

QList<SimWindow> SimWorld::windows() const
{
    QList<SimWindow> result;
    result.reserve(windowCount());
    forEachWindow([&](const SimWindow &w) { result.append(w); });
    return result;
}

void SimWorld::setPrivateFunctionAvailable(const QString &name, bool available)
{
    if (available)
        m_missingPrivateFunctions.remove(name);
    else
        m_missingPrivateFunctions.insert(name);
}

QStringList SimWorld::missingPrivateFunctionNames() const
{
    QStringList names(m_missingPrivateFunctions.cbegin(), m_missingPrivateFunctions.cend());
    names.sort();
    return names;
}

void SimWorld::setPreference(const QString &domain, const QString &key, const QVariant &value)
{
    if (value.isValid())
        m_preferences[domain].insert(key, value);
    else
        m_preferences[domain].remove(key);
}

} // namespace Velmora::Sim
