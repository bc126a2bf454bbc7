#include "app/launchatlogin.h"

namespace Velmora {

LaunchAtLogin::State LaunchAtLogin::stateFor(LoginItemService::Status status)
{
    switch (status) {
    case LoginItemService::Status::Enabled:
        return {.isEnabled = true, .needsApproval = false};
    case LoginItemService::Status::RequiresApproval:
        return {.isEnabled = false, .needsApproval = true};
    case LoginItemService::Status::NotRegistered:
    case LoginItemService::Status::NotFound:
        break;
    }
    return {};
}

LaunchAtLogin::LaunchAtLogin(LoginItemService &service, QObject *parent)
    : QObject(parent)
    , m_service(service)
{
    refresh();
}

void LaunchAtLogin::setEnabled(bool enabled)
{
    const std::optional<QString> error = enabled ? m_service.registerItem() : m_service.unregisterItem();
    // A failure without words still has to show as one.
    setLastError(error ? (error->isEmpty() ? tr("The login item could not be changed.") : *error) : QString());
    refresh();
}

void LaunchAtLogin::refresh()
{
    const State state = stateFor(m_service.status());
    if (state.isEnabled != m_state.isEnabled) {
        m_state.isEnabled = state.isEnabled;
        emit isEnabledChanged(m_state.isEnabled);
    }
    if (state.needsApproval != m_state.needsApproval) {
        m_state.needsApproval = state.needsApproval;
        emit needsApprovalChanged(m_state.needsApproval);
    }
}

void LaunchAtLogin::setLastError(const QString &error)
{
    if (error == m_lastError)
        return;
    m_lastError = error;
    emit lastErrorChanged(m_lastError);
}

} // namespace Velmora
