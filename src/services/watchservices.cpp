#include "services/watchservices.h"

#include "platform/accessibility.h"
#include "platform/axnames.h"
#include "platform/workspace.h"
#include "services/axreads.h"
#include "services/watchthreads.h"
#include "services/windowpreviewprovider.h"

namespace Velmora {

std::optional<AXElement> WatchServices::accessibilityWindow(quint32 windowID, qint32 processIdentifier) const
{
    const AXElement application = accessibility.applicationElement(processIdentifier);
    // The main and the focused window are the likely ones and cost one read each.
    for (const QLatin1String attribute : { AXNames::MainWindow, AXNames::FocusedWindow }) {
        const std::optional<AXElement> window = AXReads::element(accessibility, application, attribute);
        if (window && windowPreviews.accessibilityWindowID(*window) == windowID)
            return window;
    }
    const QList<AXElement> windows
        = AXReads::elements(accessibility, application, AXNames::Windows).value_or(QList<AXElement> {});
    for (const AXElement &window : windows) {
        if (windowPreviews.accessibilityWindowID(window) == windowID)
            return window;
    }
    return std::nullopt;
}

void WatchServices::raise(const AXElement &window) const
{
    accessibility.performAction(window, AXNames::Raise);
}

void WatchServices::raiseSoon(const AXElement &window) const
{
    Accessibility *service = &accessibility;
    threads.runSoon([service, window] { service->performAction(window, AXNames::Raise); });
}

void WatchServices::activateOnMain(qint32 processIdentifier) const
{
    Workspace *space = &workspace;
    onMain([space, processIdentifier] { space->activate(processIdentifier, 0); });
}

void WatchServices::onMain(std::function<void()> job) const
{
    threads.postToMain(mainContext, std::move(job));
}

bool WatchServices::isActive(qint32 processIdentifier) const
{
    const std::optional<RunningApplication> front = workspace.frontmostApplication();
    return front && front->processIdentifier == processIdentifier;
}

bool WatchServices::hasTerminated(const RunningApplication &application) const
{
    const std::optional<RunningApplication> now = workspace.application(application.processIdentifier);
    return !now || now->isTerminated || now->launchDateMs != application.launchDateMs;
}

QSet<quint32> WatchServices::previewWindowIDs(const RunningApplication &application) const
{
    QSet<quint32> numbers;
    for (const WindowPreviewItem &preview : windowPreviews.windows(application)) {
        if (preview.windowID)
            numbers.insert(*preview.windowID);
    }
    return numbers;
}

} // namespace Velmora
