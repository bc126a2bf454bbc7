#include "store/windowclosing.h"

#include "platform/accessibility.h"
#include "platform/axnames.h"
#include "platform/fileicons.h"
#include "platform/scheduler.h"
#include "platform/workspace.h"
#include "services/axreads.h"
#include "services/windowpreviewprovider.h"
#include "store/appitem.h"
#include "store/applicationwaits.h"
#include "store/customwindownames.h"
#include "store/taskbartooltip.h"
#include "services/messagingtimeoutscope.h"
#include "store/windowcloseconfirmation.h"
#include "store/windowpicker.h"

namespace Velmora {

WindowClosing::WindowClosing(Services services, WindowPicker &picker, CustomWindowNames &names)
    : m_services(std::move(services))
    , m_picker(picker)
    , m_names(names)
    , m_background(m_services.backgroundRunner)
{
}

WindowClosing::~WindowClosing()
{
    m_background.waitForDone();
}

void WindowClosing::closeWindow(const WindowPreviewItem &preview)
{
    const Services &env = m_services;
    env.tooltip.hide();
    if (!preview.isClosable)
        return;
    // One close per window at a time.
    if (m_windowCloseRequests.contains(preview.id))
        return;
    m_windowCloseRequests.insert(preview.id);

    WindowPreviewProvider &provider = env.windowPreviews;
    const AXElement element = preview.accessibilityElement;
    m_background.run<std::optional<int>>(
        this, [&provider, element] { return provider.tabCount(element); },
        [this, preview](std::optional<int> tabCount) {
            if (!tabCount || *tabCount <= 1) {
                closeConfirmed(preview);
                return;
            }
            m_picker.dismissWindowPicker();
            const Services &env = m_services;
            // Without a way to ask, a window with several tabs stays open:
            // closing it unasked could lose the user's work.
            if (!env.closeConfirmation) {
                m_windowCloseRequests.remove(preview.id);
                return;
            }
            const WindowCloseConfirmation::Text text(*tabCount, m_names.displayTitle(preview));
            QIcon icon;
            if (env.fileIcons) {
                const bool own = preview.processIdentifier == env.workspace.currentProcessIdentifier();
                const std::optional<RunningApplication> application = env.workspace.application(preview.processIdentifier);
                const QString path = own ? env.fileIcons->ownBundlePath()
                                         : (application ? application->bundlePath : QString());
                if (!path.isEmpty())
                    icon = AppItem::fileIcon(path, *env.fileIcons);
            }
            env.closeConfirmation->confirm(icon, text, this, [this, preview](bool confirmed) {
                if (confirmed)
                    closeConfirmed(preview);
                else
                    m_windowCloseRequests.remove(preview.id);
            });
        });
}

void WindowClosing::closeConfirmed(const WindowPreviewItem &preview)
{
    performWindowClose(preview);
    m_windowCloseRequests.remove(preview.id);
}

bool WindowClosing::performWindowClose(const WindowPreviewItem &preview)
{
    if (!preview.isClosable)
        return false;
    Accessibility &accessibility = m_services.accessibility;
    {
        MessagingTimeoutScope scope(accessibility, ApplicationWaits::mainThreadTimeoutSeconds);
        const std::optional<AXElement> button
            = AXReads::element(accessibility, scope.limit(preview.accessibilityElement), AXNames::CloseButton);
        if (!button || accessibility.performAction(scope.limit(*button), AXNames::Press) != AXError::Success)
            return false;
    }

    const QString id = preview.id;
    if (m_services.workspace.accessibilityDisplayShouldReduceMotion()) {
        // No motion to play: the card goes with the press. The window may
        // still take a moment to go, and its name waits for that.
        removeClosedWindowPreview(id);
        settle(preview, 0);
        return true;
    }
    WindowPicker &picker = m_picker;
    picker.setClosingWindowPreviewIDs(QSet<QString>(picker.closingWindowPreviewIDs()) << id);
    m_services.scheduler.scheduleOnce(closingAnimationMs, this, [this, preview] { settle(preview, 0); });
    return true;
}

bool WindowClosing::isGone(const WindowPreviewItem &preview) const
{
    const Services &env = m_services;
    if (preview.windowID)
        return !env.windowPreviews.windowServerWindowIDs(preview.processIdentifier).contains(*preview.windowID);
    // A window the window server does not list: ask the element, briefly.
    Accessibility &accessibility = env.accessibility;
    MessagingTimeoutScope scope(accessibility, ApplicationWaits::mainThreadTimeoutSeconds);
    const AXError error = accessibility.copyAttributeValue(scope.limit(preview.accessibilityElement), AXNames::Role).error();
    return error == AXError::InvalidUIElement;
}

void WindowClosing::settle(const WindowPreviewItem &preview, int attempt)
{
    const QString id = preview.id;
    if (isGone(preview)) {
        m_names.removeName(id);
        if (takeClosing(id))
            removeClosedWindowPreview(id);
        return;
    }
    // The application may still be closing the window, or be asking the user
    // about unsaved changes; a window that stays keeps its card and its name.
    if (attempt + 1 < settleAttempts) {
        m_services.scheduler.scheduleOnce(
            closingAnimationMs, this, [this, preview, attempt] { settle(preview, attempt + 1); });
        return;
    }
    takeClosing(id);
}

bool WindowClosing::takeClosing(const QString &previewID)
{
    WindowPicker &picker = m_picker;
    QSet<QString> closing = picker.closingWindowPreviewIDs();
    if (!closing.remove(previewID))
        return false;
    picker.setClosingWindowPreviewIDs(closing);
    return true;
}

void WindowClosing::removeClosedWindowPreview(const QString &previewID)
{
    WindowPicker &picker = m_picker;
    QList<WindowPreviewItem> kept = picker.windowPreviews();
    kept.removeIf([&](const WindowPreviewItem &preview) { return preview.id == previewID; });
    picker.setWindowPreviews(kept);
    picker.refreshVisibleWindowPreviewsInBackground();
    if (kept.isEmpty())
        picker.dismissWindowPicker();
}

} // namespace Velmora
