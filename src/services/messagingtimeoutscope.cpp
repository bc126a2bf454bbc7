#include "store/messagingtimeoutscope.h"

#include "platform/accessibility.h"

namespace Velmora {

MessagingTimeoutScope::MessagingTimeoutScope(Accessibility &accessibility, double seconds)
    : m_accessibility(accessibility)
    , m_seconds(seconds)
{
}

MessagingTimeoutScope::~MessagingTimeoutScope()
{
    for (const AXElement &element : std::as_const(m_limited))
        m_accessibility.setMessagingTimeout(element, 0);
}

const AXElement &MessagingTimeoutScope::limit(const AXElement &element)
{
    if (!m_limited.contains(element)) {
        m_accessibility.setMessagingTimeout(element, m_seconds);
        m_limited.append(element);
    }
    return element;
}

} // namespace Velmora
