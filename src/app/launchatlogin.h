#pragma once

#include "platform/loginitemservice.h"

#include <QObject>
#include <QString>

namespace Velmora {

// Whether this application starts when the user logs in, published for the
// settings page: its toggle calls setEnabled(), its subtitle reads the three
// properties. Each property announces a change only when its value changes,
// so a page that refreshes every second redraws nothing while nothing moves.
// Main thread only.
class LaunchAtLogin : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool isEnabled READ isEnabled NOTIFY isEnabledChanged)
    Q_PROPERTY(bool needsApproval READ needsApproval NOTIFY needsApprovalChanged)
    Q_PROPERTY(QString lastError READ lastError NOTIFY lastErrorChanged)
public:
    // What the two flags show for a registration status.
    struct State
    {
        bool isEnabled = false;
        bool needsApproval = false;
        friend bool operator==(const State &, const State &) = default;
    };
    static State stateFor(LoginItemService::Status status);

    // Reads the current registration at once.
    explicit LaunchAtLogin(LoginItemService &service, QObject *parent = nullptr);

    // Registered and enabled: the application starts at the next login.
    bool isEnabled() const { return m_state.isEnabled; }
    // Registered, but waiting for the user's approval in the system's settings.
    bool needsApproval() const { return m_state.needsApproval; }
    // Why the last change failed; empty after a change that succeeded.
    QString lastError() const { return m_lastError; }

    // Registers (true) or unregisters (false) the login item, then reads the
    // registration back: the toggle shows what the system holds, not what
    // was asked for. A failure lands in lastError, never with the caller.
    void setEnabled(bool enabled);
    // Reads the registration and publishes what changed.
    void refresh();

signals:
    void isEnabledChanged(bool isEnabled);
    void needsApprovalChanged(bool needsApproval);
    void lastErrorChanged(const QString &lastError);

private:
    void setLastError(const QString &error);

    LoginItemService &m_service;
    State m_state;
    QString m_lastError;
};

} // namespace Velmora
