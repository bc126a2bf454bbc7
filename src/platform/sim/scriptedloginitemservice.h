#pragma once

#include "platform/loginitemservice.h"

namespace Velmora::Sim {

// A login item whose registration a test or the simulated desktop scripts:
// registering yields the status the system would show afterwards (enabled,
// or waiting for approval), and the next change can be made to fail.
class ScriptedLoginItemService final : public LoginItemService
{
public:
    Status status() const override { return m_status; }
    std::optional<QString> registerItem() override;
    std::optional<QString> unregisterItem() override;

    void setStatus(Status status) { m_status = status; }
    // What a successful registration leaves; Enabled unless set.
    void setStatusAfterRegistering(Status status) { m_statusAfterRegistering = status; }
    // The next register or unregister fails with this text and changes nothing.
    void failNextChange(const QString &error) { m_nextError = error; }
    int changeCount() const { return m_changeCount; }

private:
    std::optional<QString> change(Status after);

    Status m_status = Status::NotRegistered;
    Status m_statusAfterRegistering = Status::Enabled;
    std::optional<QString> m_nextError;
    int m_changeCount = 0;
};

} // namespace Velmora::Sim
