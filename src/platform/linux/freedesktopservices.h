#pragma once

#include "platform/desktopservices.h"

#include <QDBusConnection>

#include <functional>
#include <optional>

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

    using BusConnector = std::function<QDBusConnection()>;

    // `connectBus` gives the bus where the file manager is asked: the
    // session bus, or a bus of a test's own. It is called when files are
    // first shown, never before: connecting may have to start a bus for the
    // session first, and the bar does not wait for that at start-up.
    explicit FreedesktopServices(BusConnector connectBus = &QDBusConnection::sessionBus);

    bool openUrl(const QUrl &url) override;
    void showItems(const QList<QUrl> &files, QObject *context, ShowCompletion completion) override;

private:
    QDBusConnection &bus();

    BusConnector m_connectBus;
    std::optional<QDBusConnection> m_bus;
};

} // namespace Velmora::Linux
