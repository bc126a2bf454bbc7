#pragma once

#include "platform/axerror.h"

#include <optional>

namespace Velmora {

// The outcome of an accessibility call that produces a value: the value on
// success, otherwise the error code and no value.
template<typename T>
class AXResult
{
public:
    AXResult(T value)
        : m_value(std::move(value))
    {
    }
    // An error without a value; Success without a value makes no sense and
    // reads as Failure.
    AXResult(AXError error)
        : m_error(error == AXError::Success ? AXError::Failure : error)
    {
    }

    bool ok() const { return m_error == AXError::Success; }
    AXError error() const { return m_error; }
    const std::optional<T> &value() const { return m_value; }
    // The value, or `fallback` on any error.
    T valueOr(T fallback) const { return m_value ? *m_value : std::move(fallback); }

private:
    AXError m_error = AXError::Success;
    std::optional<T> m_value;
};

} // namespace Velmora
