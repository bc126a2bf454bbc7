#pragma once

#include "platform/loginitemservice.h"

#include <QString>
#include <QStringList>

namespace Velmora::Linux {

// The login item as an XDG autostart entry: a desktop entry in the user's
// autostart folder whose Exec line starts this executable. The entry counts
// as enabled only while it would start this very executable, so a stale
// entry left by a copy that has since moved shows as off.
class XdgAutostartEntry final : public LoginItemService
{
public:
    // `folder` holds the entry named `fileName` (ending in ".desktop").
    XdgAutostartEntry(QString folder, QString fileName, QString applicationName, QString executable);

    Status status() const override;
    std::optional<QString> registerItem() override;
    std::optional<QString> unregisterItem() override;

    QString entryPath() const;
    // The entry's text as written.
    QString entryText() const;

    // "$XDG_CONFIG_HOME/autostart", or "$HOME/.config/autostart" when that
    // variable is unset, empty or not an absolute path.
    static QString autostartFolder(const QString &xdgConfigHome, const QString &home);
    // The same, from this process's environment.
    static QString autostartFolder();
    // An Exec value that a desktop splits back into exactly `command`:
    // arguments quoted and escaped by the desktop entry rules, then the
    // value escaped as a desktop entry string.
    static QString execValue(const QStringList &command);

private:
    QString m_folder;
    QString m_fileName;
    QString m_applicationName;
    QString m_executable;
};

} // namespace Velmora::Linux
