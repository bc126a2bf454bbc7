#include "platform/sim/simscreencapture.h"

#include "platform/sim/simdesktop.h"
#include "platform/sim/simoperations.h"

namespace Velmora::Sim {

SimScreenCapture::SimScreenCapture(SimDesktopAccess world)
    : m_desktop(world.desktop())
    , m_world(world)
{
}

bool SimScreenCapture::preflightAccess() const
{
    return m_desktop.screenCapturePreflight();
}

bool SimScreenCapture::requestAccess()
{
    bool firstAnswer = false;
    const bool granted = m_world.withLock([&](SimDesktopParts &d) {
        firstAnswer = d.world.permissions().screenCapture == SimPermission::NotDetermined;
        return d.settingsPane.requestScreenCapture();
    });
    // Answered once, by sending the person to the settings.
    if (firstAnswer && !granted)
        m_desktop.openSystemSettings(QStringLiteral("Privacy_ScreenCapture"));
    m_world.log(SimOperations::RequestScreenCaptureAccess, m_desktop.selfPid(), {}, {}, granted ? 1 : 0);
    return granted;
}

bool SimScreenCapture::mayCapture() const
{
    // Captures follow the settings at once, even while the process's own
    // check still waits for a restart.
    return m_desktop.screenCaptureAccess() == SimDesktop::Permission::Granted;
}

void SimScreenCapture::shareableContent(bool excludeDesktopWindows, bool onScreenWindowsOnly, QObject *context,
                                        ContentCallback callback)
{
    const auto failure = m_world.takeFailure(SimOperations::ShareableContent, QString(), 0);
    const QVariantMap detail{{QStringLiteral("excludeDesktopWindows"), excludeDesktopWindows},
                             {QStringLiteral("onScreenWindowsOnly"), onScreenWindowsOnly}};
    m_world.log(SimOperations::ShareableContent, 0, {}, detail, failure ? -1 : 0);
    if (failure && failure->neverAnswers)
        return;
    std::optional<ShareableContent> content;
    QString error;
    if (failure) {
        error = QStringLiteral("The capture service failed.");
    } else if (!mayCapture()) {
        error = QStringLiteral("The user declined screen recording.");
    } else {
        content = ShareableContent{};
        for (const SimWindow &w : m_desktop.windows()) {
            if ((excludeDesktopWindows && w.desktopElement) || (onScreenWindowsOnly && !m_desktop.isOnScreen(w)))
                continue;
            const bool owned = m_desktop.process(w.ownerPid).has_value();
            content->windows.append({w.number, w.ownerPid, w.title, w.bounds, m_desktop.isOnScreen(w), owned, w.layer});
        }
        for (const DisplayInfo &display : m_desktop.displays())
            content->displayIds.append(display.displayId);
    }
    m_desktop.later(CaptureLatencyMs, [callback, content, error] { callback(content, error); }, context);
}

void SimScreenCapture::captureWindowImage(quint32 windowId, const QSize &pixelSize, const CaptureOptions &options,
                                          QObject *context, ImageCallback callback)
{
    Q_UNUSED(options)
    const std::optional<SimWindow> w = m_desktop.window(windowId);
    const auto failure = m_world.takeFailure(SimOperations::CaptureWindowImage, QString(), w ? w->ownerPid : 0);
    m_world.log(SimOperations::CaptureWindowImage, w ? w->ownerPid : 0, {},
                  QVariantMap{{QStringLiteral("window"), windowId}, {QStringLiteral("size"), pixelSize}},
                  failure ? -1 : 0);
    if (failure && failure->neverAnswers)
        return;
    QImage image;
    if (!failure && w && mayCapture() && !pixelSize.isEmpty())
        image = imageOf(*w, pixelSize);
    m_desktop.later(CaptureLatencyMs, [callback, image] { callback(image); }, context);
}

void SimScreenCapture::captureDisplayImage(quint32 displayId, const QSize &pixelSize, QObject *context,
                                           ImageCallback callback)
{
    const auto failure = m_world.takeFailure(SimOperations::CaptureDisplayImage, QString(), 0);
    m_world.log(SimOperations::CaptureDisplayImage, 0, {},
                  QVariantMap{{QStringLiteral("display"), displayId}, {QStringLiteral("size"), pixelSize}},
                  failure ? -1 : 0);
    if (failure && failure->neverAnswers)
        return;
    bool known = false;
    for (const DisplayInfo &display : m_desktop.displays())
        known = known || display.displayId == displayId;
    QImage image;
    if (!failure && known && mayCapture() && !pixelSize.isEmpty()) {
        image = QImage(pixelSize, QImage::Format_ARGB32_Premultiplied);
        image.fill(QColor(46, 84, 140));
    }
    m_desktop.later(CaptureLatencyMs, [callback, image] { callback(image); }, context);
}

QImage SimScreenCapture::imageOf(quint32 windowId, const QSize &pixelSize) const
{
    const std::optional<SimWindow> w = m_desktop.window(windowId);
    return w ? imageOf(*w, pixelSize) : QImage();
}

QImage SimScreenCapture::imageOf(const SimWindow &window, const QSize &pixelSize) const
{
    SimWindowPainter::Owner owner;
    if (const std::optional<SimProcess> process = m_desktop.process(window.ownerPid)) {
        owner.name = process->name;
        owner.key = process->bundleIdentifier;
    }
    owner.active = m_desktop.frontmostPid() == window.ownerPid;
    return SimWindowPainter::image(window, owner, pixelSize);
}

} // namespace Velmora::Sim
