#pragma once

#include "platform/fileicons.h"

#include <QHash>

namespace Velmora {

namespace Sim {
class SimDesktop;
} // namespace Sim

// The icons of the simulated desktop's applications. Their bundles exist only
// in the simulation, so the machine's file icons would give every one of them
// the same generic icon; where the desktop names a theme icon for an
// application, that icon stands for its bundle. Everything else is asked of
// the machine's file icons.
//
// The applications are read once, when it is made, and never again: the
// table is only read afterwards, so icons can be asked for on any thread.
class SimulatedAppIcons final : public FileIcons
{
public:
    // Reads the installed applications and the running processes of
    // `desktop` and looks their icon names up in the current icon theme, so
    // make it on the main thread once the desktop is loaded and the theme
    // is chosen. `machine` must outlive it.
    SimulatedAppIcons(FileIcons &machine, const Sim::SimDesktop &desktop);

    QIcon iconForFile(const QString &path) override;
    // A simulated application with an icon is found at its bundle path, so
    // an application shown by its identifier alone (a pinned one that is not
    // running) gets its icon too.
    std::optional<QString> applicationPath(const QString &bundleIdentifier) override;
    std::optional<QIcon> symbolImage(const QString &name) override;
    QString ownBundlePath() const override;

private:
    void add(const QString &bundleIdentifier, const QString &bundlePath, const QString &iconName);

    FileIcons &m_machine;
    QHash<QString, QIcon> m_iconsByBundlePath;
    QHash<QString, QString> m_bundlePathsByIdentifier;
};

} // namespace Velmora
