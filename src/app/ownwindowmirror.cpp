#include "app/ownwindowmirror.h"

#include <QApplication>
#include <QEvent>
#include <QVariant>
#include <QWidget>

namespace Velmora {

namespace {
constexpr char layerProperty[] = "velmoraWindowLayer";
}

OwnWindowMirror::OwnWindowMirror(OwnWindowRegistry &registry, QObject *parent)
    : QObject(parent)
    , m_registry(registry)
{
}

OwnWindowMirror::~OwnWindowMirror()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

void OwnWindowMirror::start()
{
    qApp->installEventFilter(this);
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && isMirrored(window))
            report(window, true);
    }
}

quint32 OwnWindowMirror::numberOf(const QWidget *window) const
{
    return m_numbers.value(window);
}

void OwnWindowMirror::setLayer(QWidget *window, qint64 layer)
{
    window->setProperty(layerProperty, layer);
}

bool OwnWindowMirror::isMirrored(const QWidget *window)
{
    return !window->property(OwnWindowRegistry::notOnDesktopProperty).toBool();
}

qint64 OwnWindowMirror::layerOf(const QWidget *window)
{
    const QVariant layer = window->property(layerProperty);
    if (layer.isValid())
        return layer.toLongLong();
    const Qt::WindowType type = window->windowType();
    if (type == Qt::ToolTip || type == Qt::Popup)
        return OwnWindowRegistry::PopUpMenuLayer;
    if (window->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        return OwnWindowRegistry::FloatingLayer;
    return OwnWindowRegistry::NormalLayer;
}

OwnWindowState OwnWindowMirror::stateOf(const QWidget *window)
{
    OwnWindowState state;
    state.title = window->windowTitle();
    state.layer = layerOf(window);
    state.frame = QRectF(window->frameGeometry());
    state.visible = window->isVisible() && !window->isMinimized();
    state.minimized = window->isMinimized();
    return state;
}

bool OwnWindowMirror::eventFilter(QObject *watched, QEvent *event)
{
    if (!watched->isWidgetType())
        return false;
    auto *widget = static_cast<QWidget *>(watched);
    if (!widget->isWindow() || !isMirrored(widget))
        return false;
    switch (event->type()) {
    case QEvent::Show:
        report(widget, true);
        break;
    case QEvent::Hide:
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::WindowTitleChange:
    case QEvent::WindowStateChange:
        if (m_numbers.contains(widget))
            report(widget, false);
        break;
    default:
        break;
    }
    return false;
}

void OwnWindowMirror::track(QWidget *window)
{
    if (window && !m_numbers.contains(window))
        report(window, false);
}

void OwnWindowMirror::report(QWidget *window, bool front)
{
    const OwnWindowState state = stateOf(window);
    const auto known = m_numbers.constFind(window);
    if (known == m_numbers.cend()) {
        const quint32 number = m_registry.addWindow(state);
        if (number == 0)
            return;
        m_numbers.insert(window, number);
        connect(window, &QObject::destroyed, this, &OwnWindowMirror::forget);
        return;
    }
    m_registry.updateWindow(*known, state);
    if (front)
        m_registry.orderFront(*known);
}

void OwnWindowMirror::forget(const QObject *window)
{
    const quint32 number = m_numbers.take(window);
    if (number != 0)
        m_registry.removeWindow(number);
}

} // namespace Velmora
