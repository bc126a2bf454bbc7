#include "app/simulatedappicons.h"

#include "platform/sim/simdesktop.h"

namespace Velmora {

SimulatedAppIcons::SimulatedAppIcons(FileIcons &machine, const Sim::SimDesktop &desktop)
    : m_machine(machine)
{
    // An installed application speaks for its bundle before a process does:
    // it is what a launch copies the name from.
    for (const Sim::SimInstalledApplication &application : desktop.installedApplications())
        add(application.bundleIdentifier, application.bundlePath, application.iconName);
    for (const Sim::SimProcess &process : desktop.processes())
        add(process.bundleIdentifier, process.bundlePath, process.iconName);
}

void SimulatedAppIcons::add(const QString &bundleIdentifier, const QString &bundlePath, const QString &iconName)
{
    // A name the theme lacks would paint nothing; the machine's generic icon
    // at least shows that something is there.
    if (bundlePath.isEmpty() || iconName.isEmpty() || m_iconsByBundlePath.contains(bundlePath)
        || !QIcon::hasThemeIcon(iconName))
        return;
    m_iconsByBundlePath.insert(bundlePath, QIcon::fromTheme(iconName));
    if (!bundleIdentifier.isEmpty() && !m_bundlePathsByIdentifier.contains(bundleIdentifier))
        m_bundlePathsByIdentifier.insert(bundleIdentifier, bundlePath);
}

QIcon SimulatedAppIcons::iconForFile(const QString &path)
{
    const auto found = m_iconsByBundlePath.constFind(path);
    return found != m_iconsByBundlePath.cend() ? *found : m_machine.iconForFile(path);
}

std::optional<QString> SimulatedAppIcons::applicationPath(const QString &bundleIdentifier)
{
    const auto found = m_bundlePathsByIdentifier.constFind(bundleIdentifier);
    if (found != m_bundlePathsByIdentifier.cend())
        return *found;
    return m_machine.applicationPath(bundleIdentifier);
}

std::optional<QIcon> SimulatedAppIcons::symbolImage(const QString &name)
{
    return m_machine.symbolImage(name);
}

QString SimulatedAppIcons::ownBundlePath() const
{
    return m_machine.ownBundlePath();
}

} // namespace Velmora
