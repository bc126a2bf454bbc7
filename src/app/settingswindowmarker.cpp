#include "app/settingswindowmarker.h"

#include "app/model/settingstexts.h"
#include "app/model/velmorapalette.h"
#include "app/ownwindowmirror.h"
#include "platform/ownwindowregistry.h"
#include "services/velmoraownwindows.h"
#include "store/taskbarstore.h"
#include "taskmanager/taskmanagerstyle.h"

#include <QEvent>
#include <QWindow>

namespace Velmora {

namespace {

bool isOpen(const QWidget *window)
{
    return window && (window->isVisible() || window->isMinimized());
}

} // namespace

SettingsWindowMarker::SettingsWindowMarker(TaskbarStore &store, QWidget *parent)
    : QWidget(parent)
    , m_store(&store)
{
    setFixedSize(0, 0);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

SettingsWindowMarker::~SettingsWindowMarker()
{
    if (m_watched)
        m_watched->removeEventFilter(this);
}

bool SettingsWindowMarker::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::ParentChange:
    case QEvent::Show:
        configureWindow();
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

void SettingsWindowMarker::configureWindow()
{
    QWidget *window = this->window();
    if (!window || window == this)
        return;

    window->setObjectName(VelmoraOwnWindows::settingsIdentifier);
    // The role travels with the native window; make sure there is one.
    window->winId();
    VelmoraOwnWindows::setRole(window->windowHandle(), VelmoraOwnWindows::Role::Settings);
    TaskManagerStyle::applyDarkPalette(window);
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, VelmoraPalette::windowNS());
    window->setPalette(palette);
    window->setAutoFillBackground(true);
    OwnWindowMirror::setLayer(window, OwnWindowRegistry::NormalLayer);
    // Changing the flags of a shown window hides it: change only what is missing.
    const Qt::WindowFlags wanted = Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
        | Qt::WindowMinMaxButtonsHint;
    if ((window->windowFlags() & wanted) != wanted || window->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
        const bool wasVisible = window->isVisible();
        window->setWindowFlags((window->windowFlags() | wanted) & ~Qt::WindowStaysOnTopHint);
        if (wasVisible)
            window->show();
    }
    window->setMinimumSize(minimumContentWidth, minimumContentHeight);
    window->setMaximumSize(maximumContentSize, maximumContentSize);

    // Open only while it really is: a run of this for a window that is
    // closed (the page updating behind it) must not mark it open again.
    if (m_store && isOpen(window))
        m_store->setSettingsWindowOpen(true);

    if (m_watched != window) {
        if (m_watched)
            m_watched->removeEventFilter(this);
        m_watched = window;
        window->installEventFilter(this);
    }
}

bool SettingsWindowMarker::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_watched) {
        switch (event->type()) {
        case QEvent::Close:
        case QEvent::Hide:
        case QEvent::Show:
        case QEvent::WindowStateChange:
            followWindowSoon();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void SettingsWindowMarker::followWindowSoon()
{
    if (m_followPending)
        return;
    m_followPending = true;
    QMetaObject::invokeMethod(this, [this] {
        m_followPending = false;
        if (m_store && m_watched)
            m_store->setSettingsWindowOpen(isOpen(m_watched));
    }, Qt::QueuedConnection);
}

} // namespace Velmora
