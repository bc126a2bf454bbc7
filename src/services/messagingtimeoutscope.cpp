#include "services/messagingtimeoutscope.h"

#include "platform/accessibility.h"

#include <algorithm>

namespace Velmora {

MessagingTimeoutScope::MessagingTimeoutScope(Accessibility &accessibility, double seconds)
    : m_accessibility(accessibility)
    , m_seconds(seconds)
{
}

MessagingTimeoutScope::~MessagingTimeoutScope()
{
    // Last limited first, so a reference limited twice ends as it began.
    for (auto it = m_limited.crbegin(); it != m_limited.crend(); ++it)
        m_accessibility.setMessagingTimeout(it->element, it->previousSeconds);
}

const AXElement &MessagingTimeoutScope::limit(const AXElement &element)
{
    // Equal elements may be different references, each with its own time-out.
    const bool limited = std::any_of(m_limited.cbegin(), m_limited.cend(), [&](const Limited &entry) {
        return entry.element == element && entry.element.reference() == element.reference();
    });
    if (!limited) {
        m_limited.append({ element, m_accessibility.messagingTimeout(element) });
        m_accessibility.setMessagingTimeout(element, m_seconds);
    }
    return element;
}

} // namespace Velmora
