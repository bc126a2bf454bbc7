#include "store/ownwindows.h"

#include "platform/relauncher.h"
#include "platform/scheduler.h"
#include "platform/windowlist.h"
#include "store/ownwindowplacement.h"
#include "store/settingswindowhost.h"

#include <QCoreApplication>
#include <QPointer>

namespace Velmora {

OwnWindows::OwnWindows(Services services)
    : m_services(std::move(services))
{
}

void OwnWindows::observeOwnWindows()
{
    OwnWindowsHost *host = m_services.ownWindows;
    if (!host)
        return;
    const QPointer<OwnWindows> self(this);
    host->setWindowsChangedHandler([self] {
        if (!self)
            return;
        // After the change that caused the notification has completed: a
        // window about to close is still listed while it is told so.
        self->m_services.scheduler.scheduleOnce(0, self, [self] { self->refreshOtherVelmoraWindows(); });
    });
    refreshOtherVelmoraWindows();
}

void OwnWindows::showSettingsWindow()
{
    OwnWindowsHost *host = m_services.ownWindows;
    const std::optional<OwnWindowsHost::Window> window = host ? host->settingsWindow() : std::nullopt;
    if (!window)
        return;
    emit settingsWindowShown();
    host->activate();
    host->show(window->number);
    fitSettingsWindowToContent();
}

void OwnWindows::openSettings()
{
    OwnWindowsHost *host = m_services.ownWindows;
    if (!host)
        return;
    if (!host->settingsWindow())
        host->createSettingsWindow();
    showSettingsWindow();
}

void OwnWindows::refreshOtherVelmoraWindows()
{
    if (OwnWindowsHost *host = m_services.ownWindows)
        emit otherVelmoraWindowTitleRead(host->otherWindowsButtonTitle());
}

void OwnWindows::showOtherVelmoraWindows()
{
    OwnWindowsHost *host = m_services.ownWindows;
    if (!host)
        return;
    host->activate();
    for (const OwnWindowsHost::Window &window : host->otherWindows())
        host->show(window.number);
}

void OwnWindows::toggleOtherVelmoraWindows()
{
    OwnWindowsHost *host = m_services.ownWindows;
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
    const WindowList *windowList = m_services.windowList;
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

void OwnWindows::fitSettingsWindowToContent()
{
    SettingsWindowHost &host = m_services.settingsWindow;
    if (!(m_settingsContentHeight > 0))
        return;
    const std::optional<QRectF> frame = host.settingsWindowFrame();
    if (!frame)
        return;
    const std::optional<DisplayInfo> screen = host.settingsWindowScreen();
    if (!screen)
        return;
    const QRectF area = OwnWindowPlacement::barFreeArea(*screen);
    const double wanted = host.frameHeightForContentHeight(m_settingsContentHeight);
    if (const auto grown = OwnWindowPlacement::grownToHeight(*frame, wanted, area))
        host.setSettingsWindowFrame(*grown);
}

void OwnWindows::relaunchApp()
{
    const Services &env = m_services;
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    const bool arranged = env.relauncher
        && env.relauncher->relaunchWhenExited(
            QCoreApplication::applicationPid(), QCoreApplication::applicationFilePath(), arguments);
    OwnWindowsHost *host = env.ownWindows;
    if (!host)
        return;
    if (arranged)
        host->terminate();
    else
        host->beep();
}

} // namespace Velmora
