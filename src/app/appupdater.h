#pragma once

#include "platform/updaterbackend.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace Velmora {

// The update checks: starts the update framework once, in a copy that
// carries a distribution signature, and mirrors the framework's
// automatic-check flag both ways so the settings page can bind a toggle to
// it. Without a framework (a development copy, or a platform that has none)
// it stays unstarted: the toggle then only changes the published value and
// there is nothing to check with. Main thread only; the framework's change
// notifications may come from any thread and are carried over to it.
class AppUpdater : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool automaticallyChecks READ automaticallyChecks WRITE setAutomaticallyChecks NOTIFY
                   automaticallyChecksChanged)
public:
    struct Environment
    {
        // Creates the update framework; empty where this platform has none.
        std::function<std::unique_ptr<UpdaterBackend>()> makeBackend = {};
        // Only a copy with a distribution signature is ever updated.
        std::function<bool()> isDistributionSigned = {};
        // Brings this application forward before the framework shows its window.
        std::function<void()> activate = {};
        // The bundle's short version text, absent when it has none.
        std::optional<QString> shortVersion = {};
    };

    // An updater without a framework: the toggle keeps only its own value.
    explicit AppUpdater(QObject *parent = nullptr);
    explicit AppUpdater(Environment environment, QObject *parent = nullptr);
    ~AppUpdater() override;

    bool automaticallyChecks() const { return m_automaticallyChecks; }
    // Publishes the value and passes it on to the framework where it differs
    // there; neither side echoes the other.
    void setAutomaticallyChecks(bool checks);

    // The version shown on the settings page, "?" when unknown.
    QString versionDescription() const;
    // A framework exists to check with.
    bool canCheckForUpdates() const { return m_backend != nullptr; }
    // Brings the application forward and has the framework check now; does
    // nothing further without one.
    void checkForUpdates();
    // Creates the framework when this copy may have one; runs once, later
    // calls change nothing.
    void start();

signals:
    void automaticallyChecksChanged(bool automaticallyChecks);

private:
    // The framework's flag, read on the main thread when a change arrives.
    void takeBackendFlag();
    void publish(bool checks);

    Environment m_env;
    std::unique_ptr<UpdaterBackend> m_backend;
    bool m_automaticallyChecks = false;
    // Declared last so it ends first: no notification arrives while the rest goes.
    std::unique_ptr<UpdaterBackend::Observation> m_observation;
};

} // namespace Velmora
