#include "store/applicationwaits.h"

#include "platform/accessibility.h"
#include "platform/axnames.h"
#include "platform/clock.h"
#include "platform/sleeper.h"
#include "services/axreads.h"
#include "services/messagingtimeoutscope.h"

namespace Velmora::ApplicationWaits {

void waitUntilFrontmost(
    Accessibility &accessibility, const Clock &clock, Sleeper *sleeper, qint32 processIdentifier, bool frontmost)
{
    MessagingTimeoutScope scope(accessibility, frontmostReadTimeoutSeconds);
    const AXElement application = scope.limit(accessibility.applicationElement(processIdentifier));
    const qint64 deadline = clock.monotonicMs() + frontmostWaitMs;
    while (clock.monotonicMs() < deadline) {
        if (AXReads::boolean(accessibility, application, AXNames::Frontmost) == frontmost)
            return;
        if (!sleeper)
            return;
        sleeper->sleepMs(frontmostPollMs);
    }
}

} // namespace Velmora::ApplicationWaits
