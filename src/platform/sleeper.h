#pragma once

#include <QtGlobal>

namespace Velmora {

// A blocking pause on a worker thread, for work that polls on its own thread
// (a watch that looks at the window stack every few milliseconds). On the
// virtual clock the pause moves time instead of sleeping, so such a thread
// runs through its deadline without a test ever waiting for it.
class Sleeper
{
public:
    virtual ~Sleeper();

    virtual void sleepMs(qint64 ms) = 0;
};

} // namespace Velmora
