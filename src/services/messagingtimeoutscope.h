#pragma once

#include "platform/axelement.h"

#include <QList>

namespace Velmora {

class Accessibility;

// A short messaging time-out for the elements a piece of code reads, for as
// long as the scope lasts: a hung application then cannot hold the caller
// up for long. When the scope ends each element gets back the time-out it
// had before, on every way out, so whoever else holds the same reference
// waits as long as it had asked for again. Scopes nest: an inner one puts
// back what the outer one set.
class MessagingTimeoutScope
{
public:
    MessagingTimeoutScope(Accessibility &accessibility, double seconds);
    ~MessagingTimeoutScope();
    MessagingTimeoutScope(const MessagingTimeoutScope &) = delete;
    MessagingTimeoutScope &operator=(const MessagingTimeoutScope &) = delete;

    // The element waits at most the scope's time-out from now on.
    const AXElement &limit(const AXElement &element);

private:
    struct Limited
    {
        AXElement element;
        double previousSeconds = 0;
    };

    Accessibility &m_accessibility;
    const double m_seconds;
    QList<Limited> m_limited;
};

} // namespace Velmora
