#include "store/ownwindows.h"

#include "platform/relauncher.h"
#include "platform/scheduler.h"
#include "platform/windowlist.h"
#include "store/taskbarstore.h"

#include <QCoreApplication>
#include <QPointer>

namespace Velmora {

OwnWindows::OwnWindows(TaskbarStore &store)
    : m_store(store)
{
}

void OwnWindows::observeOwnWindows()
{
    OwnWindowsHost *host = m_store.environment().ownWindows;
    if (!host)
        return;
    const QPointer<OwnWindows> self(this);
    host->setWindowsChangedHandler([self] {
        if (!self)
            return;
        // After the change that caused the notification has completed: a
        // window about to close is still listed while it is told so.
        self->m_store.environment().scheduler.scheduleOnce(0, self, [self] { self->refreshOtherVelmoraWindows(); });
    });
    refreshOtherVelmoraWindows();
}

void OwnWindows::showSettingsWindow()
{
    OwnWindowsHost *host = m_store.environment().ownWindows;
    const std::optional<OwnWindowsHost::Window> window = host ? host->settingsWindow() : std::nullopt;
    if (!window)
        return;
    m_store.setSettingsWindowOpen(true);
    host->activate();
    host->show(window->number);
    m_store.fitSettingsWindowToContent();
}

void OwnWindows::openSettings()
{
    OwnWindowsHost *host = m_store.environment().ownWindows;
    if (!host)
        return;
    if (!host->settingsWindow())
        host->createSettingsWindow();
    showSettingsWindow();
}

void OwnWindows::refreshOtherVelmoraWindows()
{
    if (OwnWindowsHost *host = m_store.environment().ownWindows)
        m_store.setOtherVelmoraWindowTitle(host->otherWindowsButtonTitle());
}

void OwnWindows::showOtherVelmoraWindows()
{
    OwnWindowsHost *host = m_store.environment().ownWindows;
    if (!host)
        return;
    host->activate();
    for (const OwnWindowsHost::Window &window : host->otherWindows())
        host->show(window.number);
}

void OwnWindows::toggleOtherVelmoraWindows()
{
    OwnWindowsHost *host = m_store.environment().ownWindows;
    if (!host)
        return;
    for (const OwnWindowsHost::Window &window : host->otherWindows()) {
        if (isFrontmostWindow(window)) {
            host->miniaturize(window.number);
            return;
        }
    }
    showOtherVelmoraWindows();
}

bool OwnWindows::isFrontmostWindow(const OwnWindowsHost::Window &window) const
{
    if (!window.isVisible || window.isMiniaturized || window.number < 1)
        return false;
    const WindowList *windowList = m_store.environment().windowList;
    const std::optional<QList<WindowListEntry>> entries = windowList
        ? windowList->copyWindowInfo(WindowList::OnScreenExceptDesktop, WindowList::NoWindow)
        : std::nullopt;
    if (!entries)
        return false;
    // In front when no normal window of anyone lies before it; panels,
    // popovers and menus above it do not count.
    for (const WindowListEntry &entry : *entries) {
        if (entry.number() == window.number)
            return true;
        if (entry.layer() == 0)
            return false;
    }
    return false;
}

bool OwnWindows::relaunchApp()
{
    // The new instance reads the settings file at start: it must hold
    // everything this one knows before this one goes.
    m_store.saveSettings();
    const TaskbarStoreEnvironment &env = m_store.environment();
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    const bool arranged = env.relauncher
        && env.relauncher->relaunchWhenExited(
            QCoreApplication::applicationPid(), QCoreApplication::applicationFilePath(), arguments);
    OwnWindowsHost *host = env.ownWindows;
    if (host) {
        if (arranged)
            host->terminate();
        else
            host->beep();
    }
    return arranged;
}

} // namespace Velmora
