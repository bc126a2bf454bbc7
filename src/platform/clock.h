#pragma once

#include <QtGlobal>

namespace Velmora {

// Time as the product sees it. Cached data ages on the wall clock; animation
// and repeat windows use the monotonic (media) clock. Everything that waits,
// ages or has a deadline asks a Clock, so tests can move time by hand.
class Clock
{
public:
    virtual ~Clock();

    // Milliseconds since the Unix epoch.
    virtual qint64 wallClockMs() const = 0;
    // Milliseconds on a clock that never goes back; the origin is arbitrary.
    virtual qint64 monotonicMs() const = 0;
};

} // namespace Velmora
