#pragma once

#include <QString>

#include <optional>

namespace Velmora {

// The code signature of the running application.
class CodeSignature
{
public:
    virtual ~CodeSignature();

    // The team identifier of the signature, present only in a copy signed
    // for distribution; nothing when unsigned, signed without one, or when
    // any step of reading the signature fails.
    virtual std::optional<QString> teamIdentifier() const = 0;
};

} // namespace Velmora
