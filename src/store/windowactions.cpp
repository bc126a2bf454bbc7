#include "store/windowactions.h"

#include "platform/accessibility.h"
#include "platform/axnames.h"
#include "platform/clock.h"
#include "platform/sleeper.h"
#include "platform/workspace.h"
#include "services/axreads.h"
#include "services/dockminimizedwindows.h"
#include "store/keystrokes.h"
#include "services/messagingtimeoutscope.h"
#include "store/ownwindowshost.h"
#include "store/minimizetakeover.h"
#include "store/stillrunning.h"
#include "store/windowguard.h"
#include "store/windowpicker.h"
#include "store/windowpreviewcache.h"

#include <algorithm>

namespace Velmora {

namespace {

void setFlag(Accessibility &accessibility, const AXElement &element, const QString &attribute, bool value)
{
    // Writes to another application's window are fire-and-forget: what
    // counts is checked where it decides something.
    accessibility.setAttributeValue(element, attribute, AXValue::fromBool(value));
}

} // namespace

WindowActions::WindowActions(
    Services services, WindowGuard &guard, WindowPreviewCache &cache, WindowPicker &picker, MinimizeTakeover &takeover)
    : m_services(std::move(services))
    , m_guard(guard)
    , m_cache(cache)
    , m_picker(picker)
    , m_takeover(takeover)
    , m_background(m_services.backgroundRunner)
{
}

WindowActions::~WindowActions()
{
    m_background.waitForDone();
}

bool WindowActions::isThisProcess(const RunningApplication &application) const
{
    return application.processIdentifier == m_services.workspace.currentProcessIdentifier();
}

void WindowActions::bringProcessForward(qint32 processIdentifier)
{
    m_guard.makeFrontmost(processIdentifier);
}

void WindowActions::focusRequestedWindow(
    const WindowPreviewItem &preview, const RunningApplication &application, bool useNativeRestoreActivation)
{
    const Services &env = m_services;
    Accessibility &accessibility = env.accessibility;
    WindowGuard &guard = m_guard;
    const AXElement &element = preview.accessibilityElement;
    const qint32 pid = application.processIdentifier;

    const std::optional<RunningApplication> previous = applicationBeforeFlyoutAction();
    const std::optional<RunningApplication> now = env.workspace.application(pid);
    const bool wasHidden = now ? now->isHidden : application.isHidden;
    if (wasHidden)
        env.workspace.unhide(pid);
    // We are about to move the window ourselves.
    emit windowAboutToMove(element);
    MessagingTimeoutScope scope(accessibility, mainThreadTimeoutSeconds);
    scope.limit(element);

    if (useNativeRestoreActivation) {
        // The application's own activation restores its only window best.
        setFlag(accessibility, element, AXNames::Main, true);
        env.workspace.activate(pid, Workspace::ActivateAllWindows);
        setFlag(accessibility, element, AXNames::Minimized, false);
        setFlag(accessibility, element, AXNames::Focused, true);
        armNativeMinimizeRequest(preview, application, previous);
        return;
    }

    const bool onScreen = preview.windowID ? guard.isOnScreen(*preview.windowID) : !preview.isMinimized;
    if (onScreen) {
        setFlag(accessibility, element, AXNames::Minimized, false);
        setFlag(accessibility, element, AXNames::Main, true);
        setFlag(accessibility, element, AXNames::Focused, true);
        if (preview.windowID)
            guard.watchFocus(element, *preview.windowID, application);
        if (!preview.windowID || isThisProcess(application) || !guard.focus(*preview.windowID, application))
            env.workspace.activate(pid, 0);
        accessibility.performAction(element, AXNames::Raise);
        armNativeMinimizeRequest(preview, application, previous);
        return;
    }

    if (previous && (!preview.windowID || preview.isMinimized) && previous->processIdentifier != pid) {
        // The window that covers the spot now must stay where it is while the
        // restored window's siblings try to rise with it.
        const QList<WindowGuard::StackEntry> stack = guard.stackEntries();
        const auto covered = std::find_if(stack.cbegin(), stack.cend(), [&](const WindowGuard::StackEntry &entry) {
            return entry.processIdentifier == previous->processIdentifier;
        });
        const qint32 own = env.workspace.currentProcessIdentifier();
        if (covered != stack.cend() && pid != own && previous->processIdentifier != own)
            guard.watchRestore(element, preview.windowID, application, cachedWindowIDs(application),
                covered->windowID, *previous);
    }
    restoreMinimizedWindow(preview, application, previous, !wasHidden);
}

void WindowActions::restoreOwnWindow(const WindowPreviewItem &preview)
{
    OwnWindowsHost *host = m_services.ownWindows;
    if (!host || !preview.windowID)
        return;
    host->show(*preview.windowID);
    host->activate();
}

void WindowActions::restoreMinimizedWindow(const WindowPreviewItem &preview, const RunningApplication &application,
    const std::optional<RunningApplication> &previousApplication, bool allowsDockRestore)
{
    if (isThisProcess(application)) {
        restoreOwnWindow(preview);
        return;
    }
    // A tile stands for a window only by its title: with two minimized
    // windows of that title the Dock could restore the wrong one.
    bool titleIsShared = false;
    if (const WindowPreviewCache::Entry *entry = m_cache.entry(application.processIdentifier)) {
        titleIsShared = std::any_of(entry->previews.cbegin(), entry->previews.cend(), [&](const WindowPreviewItem &other) {
            return other.id != preview.id && other.isMinimized && other.title == preview.title;
        });
    }
    const Services &env = m_services;
    Accessibility &accessibility = env.accessibility;
    WindowGuard &guard = m_guard;
    DockMinimizedWindows *dock = allowsDockRestore && !titleIsShared ? env.dockMinimizedWindows : nullptr;
    const AXElement element = preview.accessibilityElement;
    const QString title = preview.title;
    const qint32 pid = application.processIdentifier;
    m_background.run<bool>(
        this,
        [&accessibility, &guard, dock, element, title, pid] {
            const std::optional<bool> minimized = AXReads::boolean(accessibility, element, AXNames::Minimized);
            if (minimized == false) {
                // Restored meanwhile: only bring it forward.
                setFlag(accessibility, element, AXNames::Main, true);
                accessibility.performAction(element, AXNames::Raise);
                guard.makeFrontmost(pid);
                return true;
            }
            if (dock) {
                if (const std::optional<AXElement> tile = dock->item(title)) {
                    accessibility.performAction(*tile, AXNames::Press);
                    return true;
                }
            }
            setFlag(accessibility, element, AXNames::Minimized, false);
            setFlag(accessibility, element, AXNames::Main, true);
            guard.makeFrontmost(pid);
            setFlag(accessibility, element, AXNames::Focused, true);
            accessibility.performAction(element, AXNames::Raise);
            return true;
        },
        [this, preview, application, previousApplication](bool) {
            armNativeMinimizeRequest(preview, application, previousApplication);
        });
}

void WindowActions::armNativeMinimizeRequest(const WindowPreviewItem &preview, const RunningApplication &application,
    const std::optional<RunningApplication> &previousApplication)
{
    const auto disarm = [this] { m_takeover.setNativeMinimizeRequest(std::nullopt); };
    if (!m_takeover.keepsWindowOrder() || !previousApplication
        || previousApplication->processIdentifier == application.processIdentifier
        || previousApplication->activationPolicy != ActivationPolicy::Regular
        || !isStillRunning(m_services.workspace, *previousApplication)) {
        disarm();
        return;
    }
    Accessibility &accessibility = m_services.accessibility;
    MessagingTimeoutScope scope(accessibility, mainThreadTimeoutSeconds);
    const std::optional<AXElement> button
        = AXReads::element(accessibility, scope.limit(preview.accessibilityElement), AXNames::MinimizeButton);
    if (!button) {
        disarm();
        return;
    }
    scope.limit(*button);
    const std::optional<QPointF> position = AXReads::point(accessibility, *button, AXNames::Position);
    const std::optional<QSizeF> size = position ? AXReads::size(accessibility, *button, AXNames::Size) : std::nullopt;
    if (!position || !size) {
        disarm();
        return;
    }
    NativeMinimizeRequest request;
    request.button = *button;
    request.targetProcessIdentifier = application.processIdentifier;
    request.windowID = preview.windowID;
    request.minimizeButtonFrame = QRectF(*position, *size);
    request.previousApplication = previousApplication;
    m_takeover.setNativeMinimizeRequest(request);
}

bool WindowActions::isFocusedWindow(const WindowPreviewItem &preview, const RunningApplication &application) const
{
    const std::optional<RunningApplication> previous = applicationBeforeFlyoutAction();
    if (!previous || previous->processIdentifier != application.processIdentifier || application.isHidden
        || !preview.windowID)
        return false;
    // The application's front window, and nothing in front of it covers any
    // of it: a person who picks a covered window wants it in front, not gone.
    QList<QRectF> inFront;
    for (const WindowGuard::StackEntry &entry : m_guard.stackEntries()) {
        if (entry.processIdentifier == application.processIdentifier) {
            return entry.windowID == *preview.windowID
                && std::none_of(inFront.cbegin(), inFront.cend(),
                    [&](const QRectF &bounds) { return bounds.intersects(entry.bounds); });
        }
        inFront.append(entry.bounds);
    }
    return false;
}

std::optional<RunningApplication> WindowActions::applicationBeforeFlyoutAction() const
{
    const Services &env = m_services;
    const std::optional<RunningApplication> front = env.workspace.frontmostApplication();
    if (front && front->processIdentifier != env.workspace.currentProcessIdentifier())
        return front;
    if (m_flyoutPressSource && env.clock.monotonicMs() - m_flyoutPressSource->second < flyoutPressValidityMs
        && isStillRunning(m_services.workspace, m_flyoutPressSource->first))
        return m_flyoutPressSource->first;
    return front;
}

void WindowActions::recordFlyoutPress(const RunningApplication &application)
{
    m_flyoutPressSource = std::make_pair(application, m_services.clock.monotonicMs());
}

QSet<quint32> WindowActions::cachedWindowIDs(const RunningApplication &application) const
{
    return m_cache.cachedWindowIDs(application.processIdentifier);
}

void WindowActions::minimizeFocusedWindow(const WindowPreviewItem &preview, const RunningApplication &application)
{
    const Services &env = m_services;
    Accessibility &accessibility = env.accessibility;
    WindowGuard &guard = m_guard;
    const qint32 own = env.workspace.currentProcessIdentifier();
    const auto fallBack = [&] { minimizeNatively(preview, application); };

    const std::optional<RunningApplication> front = env.workspace.frontmostApplication();
    if (!m_takeover.keepsWindowOrder() || (front && front->processIdentifier != own) || !preview.windowID)
        return fallBack();
    const quint32 windowID = *preview.windowID;
    std::optional<AXElement> button;
    {
        MessagingTimeoutScope scope(accessibility, mainThreadTimeoutSeconds);
        button = AXReads::element(accessibility, scope.limit(preview.accessibilityElement), AXNames::MinimizeButton);
        if (button && AXReads::boolean(accessibility, scope.limit(*button), AXNames::Enabled) == false)
            button.reset();
    }
    if (!button)
        return fallBack();

    const QList<WindowGuard::StackEntry> entries = guard.stackEntries();
    const std::optional<qsizetype> index = WindowGuard::indexOf(entries, windowID);
    const std::optional<WindowGuard::StackEntry> below
        = index ? guard.windowBelow(*index, entries, own) : std::nullopt;
    if (!below)
        return fallBack();

    std::function<void()> watch;
    if (below->processIdentifier == application.processIdentifier) {
        // The application's next window takes the front; its siblings stay.
        const QList<WindowPreviewItem> previews
            = m_picker.orderedWindowPreviews(m_cache.cachedOrFetchedWindowPreviews(application));
        const auto next = std::find_if(previews.cbegin(), previews.cend(),
            [&](const WindowPreviewItem &candidate) { return candidate.windowID == below->windowID; });
        if (next == previews.cend())
            return fallBack();
        const AXElement nextElement = next->accessibilityElement;
        const quint32 nextID = below->windowID;
        watch = [this, windowID, application, nextElement, nextID] {
            if (!isThisProcess(application))
                m_guard.watchMinimize(windowID, application, nextElement, nextID);
        };
    } else {
        const std::optional<RunningApplication> applicationBelow = guard.applicationBelow(*index, entries);
        if (!applicationBelow)
            return fallBack();
        NativeMinimizeRequest request;
        request.targetProcessIdentifier = application.processIdentifier;
        request.windowID = windowID;
        request.previousApplication = applicationBelow;
        watch = [this, request, application] { m_takeover.watchMinimize(request, application, true); };
    }

    m_takeover.setNativeMinimizeRequest(std::nullopt);
    const AXElement pressed = *button;
    m_background.run<bool>(
        this,
        [&accessibility, pressed] {
            MessagingTimeoutScope scope(accessibility, buttonPressTimeoutSeconds);
            const AXError result = accessibility.performAction(scope.limit(pressed), AXNames::Press);
            // "Cannot complete" comes back from an application that minimized
            // the window but answered late.
            return result == AXError::Success || result == AXError::CannotComplete;
        },
        [this, watch, preview, application](bool done) {
            if (done)
                watch();
            else
                minimizeNatively(preview, application);
        });
}

void WindowActions::minimizeNatively(const WindowPreviewItem &preview, const RunningApplication &application)
{
    const Services &env = m_services;
    const qint32 pid = application.processIdentifier;
    if (!preview.windowID || !m_guard.focus(*preview.windowID, application))
        bringProcessForward(pid);
    Accessibility &accessibility = env.accessibility;
    const Clock &clock = env.clock;
    Sleeper *sleeper = env.sleeper;
    m_background.run<bool>(
        this,
        [&accessibility, &clock, sleeper, pid] {
            ApplicationWaits::waitUntilFrontmost(accessibility, clock, sleeper, pid, true);
            return true;
        },
        [this, pid](bool) { Keystrokes::postCommandM(m_services.eventTaps, pid); });
}

} // namespace Velmora
