#pragma once

#include <optional>

namespace Velmora {

class CodeSignature;

// Whether this copy is a release signed for distribution. Only such a copy
// updates itself and offers to move into the Applications folder; a
// development copy never touches the installed one.
class ReleaseBuild
{
public:
    explicit ReleaseBuild(const CodeSignature &signature);

    // Read from the signature once, on first use.
    bool isDeveloperIDSigned() const;

private:
    const CodeSignature &m_signature;
    mutable std::optional<bool> m_isDeveloperIDSigned;
};

} // namespace Velmora
