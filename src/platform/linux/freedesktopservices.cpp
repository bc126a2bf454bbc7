#include "platform/linux/freedesktopservices.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDesktopServices>

namespace Velmora::Linux {

namespace {

// Starting a file manager that is not running yet takes a moment; one that
// has not answered by then is not coming.
constexpr int showItemsTimeoutMs = 10'000;

} // namespace

FreedesktopServices::FreedesktopServices(BusConnector connectBus)
    : m_connectBus(std::move(connectBus))
{
}

QDBusConnection &FreedesktopServices::bus()
{
    if (!m_bus)
        m_bus = m_connectBus ? m_connectBus() : QDBusConnection(QString());
    return *m_bus;
}

bool FreedesktopServices::openUrl(const QUrl &url)
{
    return url.isValid() && QDesktopServices::openUrl(url);
}

void FreedesktopServices::showItems(const QList<QUrl> &files, QObject *context, ShowCompletion completion)
{
    if (files.isEmpty() || !bus().isConnected()) {
        if (completion && context)
            QMetaObject::invokeMethod(context, [completion] { completion(false); }, Qt::QueuedConnection);
        return;
    }
    QStringList uris;
    for (const QUrl &file : files)
        uris += file.toString(QUrl::FullyEncoded);
    QDBusMessage call = QDBusMessage::createMethodCall(
        fileManagerService, fileManagerPath, fileManagerInterface, QStringLiteral("ShowItems"));
    // No start-up notification to hand on: we launched nothing ourselves.
    call << uris << QString();
    // Asked without waiting: the bus may have to start a file manager first,
    // and the main thread does not wait for another program. The watcher
    // goes with the context, and its answer with it.
    auto *watcher = new QDBusPendingCallWatcher(bus().asyncCall(call, showItemsTimeoutMs), context);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher, [watcher, completion] {
        watcher->deleteLater();
        if (completion)
            completion(!watcher->isError());
    });
}

} // namespace Velmora::Linux
