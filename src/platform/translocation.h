#pragma once

#include <QString>

#include <optional>

namespace Velmora {

// The system's running of a quarantined download from a random read-only
// location. Its functions are looked up at run time and may be absent.
class Translocation
{
public:
    virtual ~Translocation();

    // Both functions below exist.
    virtual bool isAvailable() const = 0;
    // Whether `path` is a translocated location; nothing when the call fails.
    virtual std::optional<bool> isTranslocated(const QString &path) const = 0;
    // Where a translocated `path` really lies; nothing when it cannot be had.
    virtual std::optional<QString> originalPath(const QString &path) const = 0;
};

} // namespace Velmora
