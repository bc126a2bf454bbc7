#pragma once

#include "taskmanager/sampling/appidentity.h"

#include <optional>

namespace Velmora {

// One process's use of each resource; what could not be measured is 0.
struct ProcessResourceShare
{
    QString name;
    std::optional<AppIdentity> app;
    std::optional<QString> executable;
    double cpu = 0; // percent of the whole machine
    double memory = 0; // bytes
    double disk = 0; // bytes per second read and written
    double network = 0; // bytes per second received and sent
};

} // namespace Velmora
