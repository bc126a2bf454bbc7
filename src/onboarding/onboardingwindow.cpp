#include "onboarding/onboardingwindow.h"

#include "app/model/velmorapalette.h"
#include "onboarding/model/onboardinggrowth.h"
#include "platform/displays.h"
#include "platform/screencoordinates.h"
#include "services/velmoraownwindows.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <QWindow>

namespace Velmora {

const QString OnboardingWindow::title = QStringLiteral("Welcome to Velmora");

OnboardingWindow::OnboardingWindow(const Displays *displays, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
              | Qt::WindowMaximizeButtonHint)
    , m_displays(displays)
{
    setWindowTitle(title);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, VelmoraPalette::windowNS());
    palette.setColor(QPalette::WindowText, Qt::white);
    setPalette(palette);
    setAutoFillBackground(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    // The minimum size is the content's, set by setContentMinSize().
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    winId();
    VelmoraOwnWindows::setRole(windowHandle(), VelmoraOwnWindows::Role::Onboarding);
}

void OnboardingWindow::setContentView(QWidget *view)
{
    layout()->addWidget(view);
    resize(view->size());
}

void OnboardingWindow::setContentMinSize(const QSize &size)
{
    m_contentMinSize = size;
    growToContentMinSize();
}

void OnboardingWindow::growToContentMinSize()
{
    const QList<DisplayInfo> screens = m_displays ? m_displays->screens() : QList<DisplayInfo>();
    const QRect qtFrame = frameGeometry();
    const QRect client = geometry();
    const QMargins decoration(client.left() - qtFrame.left(), client.top() - qtFrame.top(),
        qtFrame.right() - client.right(), qtFrame.bottom() - client.bottom());
    const ScreenCoordinates convert(screens.isEmpty() ? 0.0 : screens.first().frame.height());
    const QRectF frame = convert.fromQt(qtFrame);

    // The screen it is on: the one it overlaps most.
    std::optional<DisplayInfo> screen;
    double overlap = 0;
    for (const DisplayInfo &candidate : screens) {
        const QRectF shared = candidate.frame.intersected(frame);
        if (shared.width() * shared.height() > overlap) {
            overlap = shared.width() * shared.height();
            screen = candidate;
        }
    }
    const std::optional<QRectF> grown = OnboardingGrowth::grownFrame(frame,
        QMarginsF(decoration.left(), decoration.top(), decoration.right(), decoration.bottom()),
        QSizeF(m_contentMinSize), screen);
    QSize limit = client.size();
    if (grown) {
        const QRect placed = convert.toQt(*grown).marginsRemoved(decoration);
        setGeometry(placed);
        limit = placed.size();
    }
    // The user cannot shrink it below what the content needs, nor below
    // what the screen let it have; Qt's own growing (which keeps the top
    // left corner wherever it lands) never gets to act.
    setMinimumSize(m_contentMinSize.boundedTo(limit));
}

void OnboardingWindow::closeWithoutAsking()
{
    m_closingWithoutAsking = true;
    close();
    m_closingWithoutAsking = false;
}

void OnboardingWindow::closeEvent(QCloseEvent *event)
{
    if (!m_closingWithoutAsking && m_delegate.shouldClose && !m_delegate.shouldClose()) {
        event->ignore();
        return;
    }
    event->accept();
    // A copy: the delegate may let go of this window, and of itself, meanwhile.
    const std::function<void()> willClose = m_delegate.willClose;
    if (willClose)
        willClose();
}

void OnboardingWindow::mousePressEvent(QMouseEvent *event)
{
    // A press on the background (no control took it) moves the window.
    if (event->button() == Qt::LeftButton && windowHandle() && windowHandle()->startSystemMove())
        return;
    QWidget::mousePressEvent(event);
}

} // namespace Velmora
