#include "store/minimizetakeover.h"

#include "platform/accessibility.h"
#include "platform/axnames.h"
#include "platform/eventtaps.h"
#include "platform/scheduler.h"
#include "platform/workspace.h"
#include "services/axreads.h"
#include "services/windowpreviewprovider.h"
#include "store/applicationwaits.h"
#include "services/messagingtimeoutscope.h"
#include "store/ownwindowshost.h"
#include "store/windowguard.h"
#include "store/windowpreviewcache.h"

#include <memory>

namespace Velmora {

namespace {

QRectF withMargin(const QRectF &frame)
{
    const double m = MinimizeTakeover::buttonMargin;
    return frame.adjusted(-m, -m, m, m);
}

} // namespace

MinimizeTakeover::MinimizeTakeover(Services services, WindowGuard &guard, const WindowPreviewCache &cache)
    : m_services(std::move(services))
    , m_guard(guard)
    , m_cache(cache)
    , m_background(m_services.backgroundRunner)
{
}

MinimizeTakeover::~MinimizeTakeover()
{
    m_background.waitForDone();
}

bool MinimizeTakeover::isFrontmost(const RunningApplication &application) const
{
    const std::optional<RunningApplication> front = m_services.workspace.frontmostApplication();
    return front && front->processIdentifier == application.processIdentifier;
}

bool MinimizeTakeover::pressesArmedButton(const NativeMinimizeRequest &armed, const QPointF &location)
{
    const std::optional<RunningApplication> front = m_services.workspace.frontmostApplication();
    if (!front || front->processIdentifier != armed.targetProcessIdentifier)
        return false;
    if (!withMargin(armed.minimizeButtonFrame).contains(location))
        return false;
    // Where the button was when the request was armed is only a hint: the
    // window may have been moved since, and a press at the old spot then
    // lands on whatever is there now.
    if (armed.button.isNull())
        return false;
    Accessibility &accessibility = m_services.accessibility;
    MessagingTimeoutScope scope(accessibility, ApplicationWaits::frontmostReadTimeoutSeconds);
    const std::optional<QPointF> position = AXReads::point(accessibility, scope.limit(armed.button), AXNames::Position);
    const std::optional<QSizeF> size = position ? AXReads::size(accessibility, armed.button, AXNames::Size) : std::nullopt;
    return size && withMargin(QRectF(*position, *size)).contains(location);
}

void MinimizeTakeover::handleMinimizeButtonClick(InputEventType type, const QPointF &location)
{
    Workspace &workspace = m_services.workspace;
    if (type == InputEventType::LeftMouseDown) {
        std::optional<NativeMinimizeRequest> request;
        if (const auto &armed = m_nativeMinimizeRequest; armed && pressesArmedButton(*armed, location))
            request = armed; // stays armed
        else
            request = minimizeRequestUnderClick(location);
        if (!request)
            return;
        if (request->kind == NativeMinimizeRequest::Kind::close)
            request->windowIDsBeforeClose = m_guard.windowIDs(request->targetProcessIdentifier);
        handOverFocus();
        setPendingMinimizeHandoff(request);
        return;
    }
    if (type != InputEventType::LeftMouseUp)
        return;

    if (const std::optional<NativeMinimizeRequest> pending = m_pendingMinimizeHandoff) {
        setPendingMinimizeHandoff(std::nullopt);
        const std::optional<RunningApplication> application = workspace.application(pending->targetProcessIdentifier);
        if (!application)
            return;
        if (!withMargin(pending->minimizeButtonFrame).contains(location)) {
            // Dragged off the button: the window stays, and so does the front.
            giveBack(*application);
            return;
        }
        setNativeMinimizeRequest(std::nullopt);
        if (pending->kind == NativeMinimizeRequest::Kind::close)
            watchClose(*pending, *application);
        else
            watchMinimize(*pending, *application, true);
        return;
    }

    const std::optional<NativeMinimizeRequest> armed = m_nativeMinimizeRequest;
    const std::optional<RunningApplication> front = workspace.frontmostApplication();
    if (!armed || !front || front->processIdentifier != armed->targetProcessIdentifier
        || !withMargin(armed->minimizeButtonFrame).contains(location))
        return;
    const std::optional<RunningApplication> application = workspace.application(armed->targetProcessIdentifier);
    if (!application)
        return;
    setNativeMinimizeRequest(std::nullopt);
    watchMinimize(*armed, *application, false);
}

std::optional<NativeMinimizeRequest> MinimizeTakeover::minimizeRequestUnderClick(const QPointF &location)
{
    Workspace &workspace = m_services.workspace;
    const std::optional<RunningApplication> front = workspace.frontmostApplication();
    if (!front || front->processIdentifier == workspace.currentProcessIdentifier()
        || front->activationPolicy != ActivationPolicy::Regular)
        return std::nullopt;
    WindowGuard &guard = m_guard;
    const QList<WindowGuard::StackEntry> entries = guard.stackEntries();
    const std::optional<qsizetype> index = guard.windowIndex(location, entries, front->processIdentifier);
    if (!index)
        return std::nullopt;
    const std::optional<RunningApplication> below = guard.applicationBelow(*index, entries);
    if (!below)
        return std::nullopt;
    const std::optional<WindowGuard::TitleBarButton> button = guard.buttonFrame(location, front->processIdentifier);
    if (!button)
        return std::nullopt;
    NativeMinimizeRequest request;
    request.kind = button->button == WindowGuard::Button::close ? NativeMinimizeRequest::Kind::close
                                                                : NativeMinimizeRequest::Kind::minimize;
    request.targetProcessIdentifier = front->processIdentifier;
    request.windowID = entries.at(*index).windowID;
    request.minimizeButtonFrame = button->frame;
    request.previousApplication = below;
    return request;
}

std::optional<RunningApplication> MinimizeTakeover::applicationBelowWindow(quint32 windowID) const
{
    WindowGuard &guard = m_guard;
    const QList<WindowGuard::StackEntry> entries = guard.stackEntries();
    const std::optional<qsizetype> index = WindowGuard::indexOf(entries, windowID);
    return index ? guard.applicationBelow(*index, entries) : std::nullopt;
}

std::optional<AXElement> MinimizeTakeover::minimizeButton(quint32 windowID, const RunningApplication &application)
{
    const Services &env = m_services;
    Accessibility &accessibility = env.accessibility;
    MessagingTimeoutScope scope(accessibility, lookupTimeoutSeconds);
    const AXElement element = scope.limit(accessibility.applicationElement(application.processIdentifier));
    const std::optional<AXElement> focused = AXReads::element(accessibility, element, AXNames::FocusedWindow);
    if (!focused)
        return std::nullopt;
    if (env.windowPreviews.accessibilityWindowID(scope.limit(*focused)) != windowID)
        return std::nullopt;
    const std::optional<AXElement> button = AXReads::element(accessibility, *focused, AXNames::MinimizeButton);
    if (!button)
        return std::nullopt;
    if (AXReads::boolean(accessibility, scope.limit(*button), AXNames::Enabled) == false)
        return std::nullopt;
    return button;
}

void MinimizeTakeover::handleMinimizeShortcut(
    const KeyEvent &event, const RunningApplication &application, quint32 windowID)
{
    if (!m_keepsWindowOrder || !isFrontmost(application)) {
        postBack(application.processIdentifier, event);
        return;
    }
    const std::optional<AXElement> button = minimizeButton(windowID, application);
    const std::optional<RunningApplication> below = button ? applicationBelowWindow(windowID) : std::nullopt;
    if (!below) {
        postBack(application.processIdentifier, event);
        return;
    }
    setNativeMinimizeRequest(std::nullopt);
    handOverFocus();
    NativeMinimizeRequest request;
    request.kind = NativeMinimizeRequest::Kind::minimize;
    request.button = *button;
    request.targetProcessIdentifier = application.processIdentifier;
    request.windowID = windowID;
    request.previousApplication = below;
    pressHeldButton(*button, request, application, event);
}

void MinimizeTakeover::handleCloseShortcut(
    const KeyEvent &event, const RunningApplication &application, quint32 windowID)
{
    const qint32 pid = application.processIdentifier;
    const std::optional<RunningApplication> below
        = m_keepsWindowOrder && isFrontmost(application) ? applicationBelowWindow(windowID) : std::nullopt;
    if (!below) {
        postBack(pid, event);
        return;
    }
    // Whichever comes first wins: the close button found in time, or the key
    // handed back to the application after 0.15 s.
    const auto settled = std::make_shared<bool>(false);
    WindowGuard &guard = m_guard;
    m_background.run<std::optional<AXElement>>(
        this, [&guard, windowID, pid] { return guard.closeButtonIfShortcutCloses(windowID, pid); },
        [this, settled, event, application, windowID, below](std::optional<AXElement> button) {
            if (*settled)
                return;
            *settled = true;
            if (button && isFrontmost(application))
                closeHeldWindow(*button, windowID, application, *below, event);
            else
                postBack(application.processIdentifier, event);
        });
    m_services.scheduler.scheduleOnce(closeShortcutDeadlineMs, this, [this, settled, pid, event] {
        if (*settled)
            return;
        *settled = true;
        postBack(pid, event);
    });
}

void MinimizeTakeover::closeHeldWindow(const AXElement &closeButton, quint32 windowID,
    const RunningApplication &application, const RunningApplication &applicationBelow, const KeyEvent &event)
{
    setNativeMinimizeRequest(std::nullopt);
    handOverFocus();
    NativeMinimizeRequest request;
    request.kind = NativeMinimizeRequest::Kind::close;
    request.button = closeButton;
    request.windowIDsBeforeClose = m_guard.windowIDs(application.processIdentifier);
    request.targetProcessIdentifier = application.processIdentifier;
    request.windowID = windowID;
    request.previousApplication = applicationBelow;
    pressHeldButton(closeButton, request, application, event);
}

void MinimizeTakeover::pressHeldButton(const AXElement &button, const NativeMinimizeRequest &request,
    const RunningApplication &application, const KeyEvent &event)
{
    const Services &env = m_services;
    Accessibility &accessibility = env.accessibility;
    const Clock &clock = env.clock;
    Sleeper *sleeper = env.sleeper;
    const qint32 pid = application.processIdentifier;
    m_background.run<bool>(
        this,
        [&accessibility, &clock, sleeper, button, pid] {
            // The application must have let go of the front first, or it
            // brings its next window forward as the window goes.
            ApplicationWaits::waitUntilFrontmost(accessibility, clock, sleeper, pid, false);
            MessagingTimeoutScope scope(accessibility, ApplicationWaits::buttonPressTimeoutSeconds);
            const AXError result = accessibility.performAction(scope.limit(button), AXNames::Press);
            return result == AXError::Success || result == AXError::CannotComplete;
        },
        [this, request, application, event](bool pressed) {
            if (!pressed) {
                giveBack(application);
                postBack(application.processIdentifier, event);
            } else if (request.kind == NativeMinimizeRequest::Kind::close) {
                watchClose(request, application);
            } else {
                watchMinimize(request, application, true);
            }
        });
}

void MinimizeTakeover::watchMinimize(
    const NativeMinimizeRequest &request, const RunningApplication &application, bool appWasDeactivated)
{
    m_guard.watchMinimize(request.windowID, application, m_cache.cachedWindowIDs(application.processIdentifier),
        request.previousApplication, appWasDeactivated);
}

void MinimizeTakeover::watchClose(const NativeMinimizeRequest &request, const RunningApplication &application)
{
    WindowGuard &guard = m_guard;
    if (!request.windowID) {
        if (request.previousApplication)
            guard.makeFrontmost(request.previousApplication->processIdentifier);
        return;
    }
    guard.watchClose(*request.windowID, application, request.windowIDsBeforeClose,
        m_cache.cachedWindowIDs(application.processIdentifier), request.previousApplication);
}

void MinimizeTakeover::handleFlyoutPress()
{
    Workspace &workspace = m_services.workspace;
    const std::optional<RunningApplication> front = workspace.frontmostApplication();
    const qint32 own = workspace.currentProcessIdentifier();
    if (!front || front->processIdentifier == own || front->activationPolicy != ActivationPolicy::Regular)
        return;
    emit flyoutPressed(*front);
    WindowGuard &guard = m_guard;
    guard.makeFrontmost(own);
    guard.watchPress(*front);
}

void MinimizeTakeover::setNativeMinimizeRequest(std::optional<NativeMinimizeRequest> request)
{
    m_nativeMinimizeRequest = std::move(request);
}

void MinimizeTakeover::setPendingMinimizeHandoff(std::optional<NativeMinimizeRequest> request)
{
    m_pendingMinimizeHandoff = std::move(request);
}

void MinimizeTakeover::handleApplicationActivation(const std::optional<RunningApplication> &activated)
{
    if (!m_nativeMinimizeRequest || !activated)
        return;
    if (activated->processIdentifier == m_nativeMinimizeRequest->targetProcessIdentifier)
        return;
    if (activated->processIdentifier == m_services.workspace.currentProcessIdentifier())
        return;
    m_nativeMinimizeRequest.reset();
}

void MinimizeTakeover::handOverFocus()
{
    if (OwnWindowsHost *host = m_services.ownWindows)
        host->makeTaskbarPanelKey();
    m_guard.makeFrontmost(m_services.workspace.currentProcessIdentifier());
}

void MinimizeTakeover::giveBack(const RunningApplication &application)
{
    m_guard.makeFrontmost(application.processIdentifier);
}

void MinimizeTakeover::postBack(qint32 processIdentifier, const KeyEvent &event)
{
    if (EventTaps *taps = m_services.eventTaps)
        taps->postKeyEvent(processIdentifier, event);
}

} // namespace Velmora
