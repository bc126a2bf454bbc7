#include "app/releasebuild.h"

#include "platform/codesignature.h"

namespace Velmora {

ReleaseBuild::ReleaseBuild(const CodeSignature &signature)
    : m_signature(signature)
{
}

bool ReleaseBuild::isDeveloperIDSigned() const
{
    if (!m_isDeveloperIDSigned) {
        const std::optional<QString> team = m_signature.teamIdentifier();
        m_isDeveloperIDSigned = team && !team->isEmpty();
    }
    return *m_isDeveloperIDSigned;
}

} // namespace Velmora
