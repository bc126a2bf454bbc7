#pragma once

#include "platform/codesignature.h"

namespace Velmora::Linux {

// Executables on Linux carry no code signature, so no copy counts as a
// release signed for distribution.
class UnsignedCode final : public CodeSignature
{
public:
    std::optional<QString> teamIdentifier() const override { return std::nullopt; }
};

} // namespace Velmora::Linux
