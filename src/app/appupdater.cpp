#include "app/appupdater.h"

#include <QMetaObject>

namespace Velmora {

AppUpdater::AppUpdater(QObject *parent)
    : QObject(parent)
{
}

AppUpdater::AppUpdater(Environment environment, QObject *parent)
    : QObject(parent)
    , m_env(std::move(environment))
{
}

AppUpdater::~AppUpdater()
{
    m_observation.reset();
}

void AppUpdater::setAutomaticallyChecks(bool checks)
{
    publish(checks);
    if (m_backend && m_backend->automaticallyChecksForUpdates() != checks)
        m_backend->setAutomaticallyChecksForUpdates(checks);
}

QString AppUpdater::versionDescription() const
{
    return m_env.shortVersion.value_or(QStringLiteral("?"));
}

void AppUpdater::checkForUpdates()
{
    if (m_env.activate)
        m_env.activate();
    if (m_backend)
        m_backend->checkForUpdates();
}

void AppUpdater::start()
{
    if (m_backend || !m_env.makeBackend || !m_env.isDistributionSigned || !m_env.isDistributionSigned())
        return;
    m_backend = m_env.makeBackend();
    if (!m_backend)
        return;
    publish(m_backend->automaticallyChecksForUpdates());
    // Posting is safe from any thread while this object lives, and the
    // observation ends (waiting for a delivery under way) before it goes.
    // The flag is read once the call arrives, so of several quick changes the
    // last one wins whatever order their threads delivered them in.
    m_observation = m_backend->observeAutomaticallyChecks([this] {
        QMetaObject::invokeMethod(this, &AppUpdater::takeBackendFlag, Qt::QueuedConnection);
    });
}

void AppUpdater::takeBackendFlag()
{
    if (m_backend)
        publish(m_backend->automaticallyChecksForUpdates());
}

void AppUpdater::publish(bool checks)
{
    if (checks == m_automaticallyChecks)
        return;
    m_automaticallyChecks = checks;
    emit automaticallyChecksChanged(checks);
}

} // namespace Velmora
