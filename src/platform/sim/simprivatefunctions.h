#pragma once

#include "platform/privatefunctions.h"
#include "platform/sim/simdesktopaccess.h"

namespace Velmora::Sim {

// The private functions of the simulated desktop. Each one is present unless
// a test removes it (SimDesktop::setPrivateFunctionAvailable); a present one
// can be made to fail (SimOperations::CallPrivateFunction with the function's
// name: its status, or an error code for the accessibility ones).
//
// What they do: the front-process call makes the application frontmost
// without raising any window; with options 0x200 and one of its windows, the
// two event records posted after it then bring that window alone forward as
// the key window (a wrong or missing record leaves it where it is; see
// SimKnobs::frontCallNeedsEventRecords). Every record is logged with its
// bytes. The Dock notification is only logged.
class SimPrivateFunctions final : public PrivateFunctions
{
public:
    static constexpr qint32 MainConnection = 0x5153;
    static constexpr qint32 ProcessNotFound = -600;
    static constexpr quint32 RemoteTokenMagic = 0x636F636F;

    explicit SimPrivateFunctions(SimDesktopAccess world);

    bool isAvailable(const QString &name) const override;
    AXUIElementGetWindow axUIElementGetWindow() const override;
    AXUIElementCreateWithRemoteToken axUIElementCreateWithRemoteToken() const override;
    SLSMainConnectionID slsMainConnectionID() const override;
    SLSCopySpacesForWindows slsCopySpacesForWindows() const override;
    GetProcessForPID getProcessForPID() const override;
    SLPSSetFrontProcessWithOptions slpsSetFrontProcessWithOptions() const override;
    SLPSPostEventRecordTo slpsPostEventRecordTo(const QString &name) const override;
    CoreDockSendNotification coreDockSendNotification() const override;

private:
    // The injected failure of a call, if any; logs the call either way.
    std::optional<qint32> failedStatus(const QString &name, qint32 pid, const QVariant &detail) const;

    SimDesktop &m_desktop;
    SimDesktopAccess m_world;
};

} // namespace Velmora::Sim
