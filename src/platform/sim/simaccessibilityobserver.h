#pragma once

#include "platform/accessibilityobserver.h"

#include <QPointer>
#include "platform/sim/simdesktopaccess.h"

namespace Velmora::Sim {

// An accessibility observer of one simulated process.
class SimAccessibilityObserver final : public AccessibilityObserver
{
public:
    SimAccessibilityObserver(const SimDesktopAccess &world, qint32 pid, quint64 handle);
    ~SimAccessibilityObserver() override;

    AXError addNotification(const AXElement &element, const QString &notification) override;
    AXError removeNotification(const AXElement &element, const QString &notification) override;
    qint32 processIdentifier() const override { return m_pid; }

private:
    QPointer<SimDesktop> m_desktop;
    SimDesktopAccess m_world;
    qint32 m_pid;
    quint64 m_handle;
};

} // namespace Velmora::Sim
