#pragma once

#include "store/appitem.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <QThreadPool>
#include <QUrl>

#include <optional>

namespace Velmora {

class ApplicationBundles;

// The folders searched for applications, in this order: the shared ones, the
// system's, then the user's own.
QStringList defaultApplicationFolders();

// Every installed application: Finder first when it was found, then each
// bundle in the folders, named from its info keys or its file name. One item
// per name, sorted by name. Touches nothing but its arguments, so it runs on
// any thread.
QList<AppItem> discoverInstalledApps(
    const ApplicationBundles &bundles, const QStringList &folders, const std::optional<QUrl> &finderLocation);

// Runs discovery on a worker thread and hands the result back on the thread
// that owns the loader. Only the latest request's result is delivered; the
// destructor waits for a running scan, which touches the bundles it was given.
class InstalledAppsLoader : public QObject
{
    Q_OBJECT
public:
    explicit InstalledAppsLoader(const ApplicationBundles &bundles, QObject *parent = nullptr);
    ~InstalledAppsLoader() override;

    void load(const QStringList &folders, const std::optional<QUrl> &finderLocation);
    bool isLoading() const { return m_pending > 0; }

signals:
    void loaded(const QList<AppItem> &apps);

private:
    void deliver(quint64 generation, const QList<AppItem> &apps);

    const ApplicationBundles &m_bundles;
    QThreadPool m_pool;
    quint64 m_generation = 0;
    int m_pending = 0;
};

} // namespace Velmora
