#pragma once

#include "platform/accessibilityobserver.h"

#include <QPointer>

namespace Velmora::Sim {

class SimDesktop;

// An accessibility observer of one simulated process.
class SimAccessibilityObserver final : public AccessibilityObserver
{
public:
    SimAccessibilityObserver(SimDesktop &desktop, qint32 pid, quint64 handle);
    ~SimAccessibilityObserver() override;

    AXError addNotification(const AXElement &element, const QString &notification) override;
    AXError removeNotification(const AXElement &element, const QString &notification) override;
    qint32 processIdentifier() const override { return m_pid; }

private:
    QPointer<SimDesktop> m_desktop;
    qint32 m_pid;
    quint64 m_handle;
};

} // namespace Velmora::Sim
