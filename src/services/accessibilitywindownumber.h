#pragma once

#include "platform/axelement.h"
#include "platform/privatefunctions.h"
#include "services/windowserverentries.h"

#include <QMutex>

#include <mutex>
#include <optional>

namespace Velmora {

class Accessibility;
class WindowList;

// The window server's number of an accessibility window element.
//
// The private lookup function is exact but not always there, and on some
// systems it fails for every element. So its failures are counted: after
// eight failures without a single success it is no longer asked, and numbers
// come from matching the element's frame (and title) against the window list.
// Once it has succeeded, failures never stop it again: they are then about
// the element, not the function.
//
// Thread-safe: listings, watches and the focus history call it from their
// own threads. The lock is never held across a call into another process.
class AccessibilityWindowNumber
{
public:
    static constexpr int failureLimit = 8;
    static constexpr double frameTolerance = 1.0;

    AccessibilityWindowNumber(
        Accessibility &accessibility, const WindowList &windowList, const PrivateFunctions &privateFunctions);

    // A failed private call is final for that element: there is no frame
    // match after it, because a wrong guess would act on the wrong window.
    //
    // `entries`, when given, are the window-server entries of the element's
    // process as just read; a listing passes them so that matching many
    // elements reads the window list once, not once per element.
    std::optional<quint32> windowNumber(const AXElement &element, const WindowServerEntries::Index *entries = nullptr);
    std::optional<quint32> windowNumberMatchingFrame(
        const AXElement &element, const WindowServerEntries::Index *entries = nullptr);

    // Among several entries with the element's frame, the one whose name
    // shares the longest prefix with `title`; ties keep the front-most.
    static quint32 chooseByTitle(const QList<WindowServerEntries::Descriptor> &candidates, const QString &title);

private:
    const PrivateFunctions::AXUIElementGetWindow &function();

    Accessibility &m_accessibility;
    const WindowList &m_windowList;
    const PrivateFunctions &m_privateFunctions;

    std::once_flag m_lookupOnce;
    PrivateFunctions::AXUIElementGetWindow m_function;

    QMutex m_healthLock;
    bool m_hasSucceeded = false;
    int m_failures = 0;
};

} // namespace Velmora
