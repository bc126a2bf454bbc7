#include "app/appsettingswindowhost.h"

#include "app/fitandcenter.h"
#include "app/model/settingstexts.h"
#include "app/model/velmorapalette.h"
#include "bar/hiddenwindowpixels.h"
#include "platform/displays.h"
#include "platform/screencoordinates.h"
#include "services/velmoraownwindows.h"

#include <QEvent>
#include <QHideEvent>
#include <QVBoxLayout>
#include <QWidget>

namespace Velmora {

namespace {

QMargins decorationOf(const QWidget &window)
{
    const QRect frame = window.frameGeometry();
    const QRect client = window.geometry();
    return QMargins(client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
        frame.bottom() - client.bottom());
}

} // namespace

AppSettingsWindowHost::AppSettingsWindowHost(Environment environment, QObject *parent)
    : QObject(parent)
    , m_env(std::move(environment))
{
}

AppSettingsWindowHost::~AppSettingsWindowHost() = default;

double AppSettingsWindowHost::primaryHeight() const
{
    const QList<DisplayInfo> screens = m_env.displays.screens();
    return screens.isEmpty() ? 0.0 : screens.first().frame.height();
}

void AppSettingsWindowHost::createSettingsWindow()
{
    auto window = std::make_unique<QWidget>(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
            | Qt::WindowMinMaxButtonsHint);
    window->setObjectName(VelmoraOwnWindows::settingsIdentifier);
    window->setWindowTitle(SettingsTexts::windowTitle);
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, VelmoraPalette::windowNS());
    window->setPalette(palette);
    window->setAutoFillBackground(true);
    window->setMinimumSize(540, 440);
    window->resize(initialContentWidth, initialContentHeight);
    window->winId();
    VelmoraOwnWindows::setRole(window->windowHandle(), VelmoraOwnWindows::Role::Settings);
    if (QWidget *page = m_env.makePage ? m_env.makePage() : nullptr) {
        auto *layout = new QVBoxLayout(window.get());
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(page);
    }

    // On the screen under the pointer, else the main screen.
    std::optional<DisplayInfo> screen = m_env.displays.mainScreen();
    const QPointF pointer = m_env.displays.pointerLocation();
    for (const DisplayInfo &candidate : m_env.displays.screens()) {
        if (candidate.frame.contains(pointer)) {
            screen = candidate;
            break;
        }
    }
    fitAndCenter(*window, screen, primaryHeight());
    m_frameAwaitingDecoration.reset();
    window->installEventFilter(this);
    m_window = std::move(window);
}

std::optional<QRectF> AppSettingsWindowHost::settingsWindowFrame() const
{
    if (!m_window)
        return std::nullopt;
    return ScreenCoordinates(primaryHeight()).fromQt(m_window->frameGeometry());
}

bool AppSettingsWindowHost::isSettingsWindowOpen() const
{
    return m_window && (m_window->isVisible() || m_window->isMinimized());
}

double AppSettingsWindowHost::frameHeightForContentHeight(double contentHeight) const
{
    if (!m_window)
        return contentHeight;
    const QMargins decoration = decorationOf(*m_window);
    return contentHeight + decoration.top() + decoration.bottom();
}

std::optional<DisplayInfo> AppSettingsWindowHost::settingsWindowScreen() const
{
    if (const std::optional<QRectF> frame = settingsWindowFrame()) {
        for (const DisplayInfo &screen : m_env.displays.screens()) {
            if (screen.frame.contains(frame->center()))
                return screen;
        }
    }
    return m_env.displays.mainScreen();
}

void AppSettingsWindowHost::setSettingsWindowFrame(const QRectF &frame)
{
    if (!m_window)
        return;
    applyFrame(frame);
    // A window the window manager is still framing may not know its title
    // bar yet, or may be moved once it does: the frame is checked again when
    // the window next moves or resizes with its title bar known.
    if (m_window->isVisible())
        m_frameAwaitingDecoration = frame;
    else
        m_frameAwaitingDecoration.reset();
}

void AppSettingsWindowHost::applyFrame(const QRectF &frame)
{
    const QRect placed = ScreenCoordinates(primaryHeight()).toQt(frame);
    m_window->setGeometry(placed.marginsRemoved(decorationOf(*m_window)));
}

bool AppSettingsWindowHost::eventFilter(QObject *watched, QEvent *event)
{
    if (m_window && watched == m_window.get() && event->type() == QEvent::Hide)
        releaseHiddenWindowPixels(*m_window, *static_cast<QHideEvent *>(event));
    if (m_window && watched == m_window.get() && m_frameAwaitingDecoration
        && (event->type() == QEvent::Move || event->type() == QEvent::Resize)
        && !decorationOf(*m_window).isNull()) {
        const QRectF frame = *m_frameAwaitingDecoration;
        m_frameAwaitingDecoration.reset();
        if (m_window->frameGeometry() != ScreenCoordinates(primaryHeight()).toQt(frame)) {
            // Outside the event: the window manager's configure is still
            // being handled. The frame's height may not have counted the
            // title bar either: fit once more.
            QMetaObject::invokeMethod(this, [this, frame] {
                if (!m_window)
                    return;
                applyFrame(frame);
                if (m_env.refit)
                    m_env.refit();
            }, Qt::QueuedConnection);
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace Velmora
