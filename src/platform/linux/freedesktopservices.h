#pragma once

#include "platform/desktopservices.h"

#include <QDBusConnection>

namespace Velmora::Linux {

// The desktop's own handlers: addresses open with the program the user
// chose for them, and files are shown by whichever file manager answers the
// shared file-manager interface on the session bus.
class FreedesktopServices final : public DesktopServices
{
public:
    static inline const QString fileManagerService = QStringLiteral("org.freedesktop.FileManager1");
    static inline const QString fileManagerPath = QStringLiteral("/org/freedesktop/FileManager1");
    static inline const QString fileManagerInterface = QStringLiteral("org.freedesktop.FileManager1");

    // `bus` is where the file manager is asked: the session bus, or a bus of
    // a test's own.
    explicit FreedesktopServices(QDBusConnection bus = QDBusConnection::sessionBus());

    bool openUrl(const QUrl &url) override;
    void showItems(const QList<QUrl> &files, QObject *context, ShowCompletion completion) override;

private:
    QDBusConnection m_bus;
};

} // namespace Velmora::Linux
