#pragma once

#include "platform/translocation.h"

namespace Velmora::Linux {

// Linux never runs a download from a place of its own choosing.
class NoTranslocation final : public Translocation
{
public:
    bool isAvailable() const override { return false; }
    std::optional<bool> isTranslocated(const QString &) const override { return std::nullopt; }
    std::optional<QString> originalPath(const QString &) const override { return std::nullopt; }
};

} // namespace Velmora::Linux
