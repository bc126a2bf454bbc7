#pragma once

#include "platform/alerts.h"

namespace Velmora {

// Alerts as application-modal message boxes, with the check box under the
// text when one is asked for.
class MessageBoxAlerts final : public Alerts
{
public:
    AlertResponse runModal(const AlertRequest &request) override;
};

} // namespace Velmora
