#pragma once

#include "platform/axelement.h"

#include <QList>

namespace Velmora {

class Accessibility;

// A short messaging time-out for the elements a piece of code reads, for as
// long as the scope lasts: a hung application then cannot hold the caller
// up for long, and afterwards the elements wait the default again, so the
// background work that reads them later is not cut short.
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
    Accessibility &m_accessibility;
    const double m_seconds;
    QList<AXElement> m_limited;
};

} // namespace Velmora
