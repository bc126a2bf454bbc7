#pragma once

#include <QString>

#include <optional>

namespace Velmora {

// Registers this application to start when the user logs in. Main thread
// only; every call is synchronous.
class LoginItemService
{
public:
    enum class Status {
        NotRegistered,
        // Registered and will start at the next login.
        Enabled,
        // Registered, but the user still has to allow it in the system's settings.
        RequiresApproval,
        // The system does not know this application as a login item at all.
        NotFound,
    };

    virtual ~LoginItemService();

    virtual Status status() const = 0;
    // Each returns nothing on success, otherwise a description of the failure
    // that can be shown to the user as it stands.
    virtual std::optional<QString> registerItem() = 0;
    virtual std::optional<QString> unregisterItem() = 0;
};

} // namespace Velmora
