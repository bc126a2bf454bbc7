#pragma once

#include <QString>

#include <optional>

namespace Velmora {

// One row of a top list: an application (or a lone process) and its total.
struct AppUsage
{
    QString name;
    std::optional<QString> detail; // the process that stands out in the group
    std::optional<QString> iconPath; // bundle path, or executable path without a bundle
    double value = 0;

    friend bool operator==(const AppUsage &, const AppUsage &) = default;
};

} // namespace Velmora
