#include "app/taskbarpanel.h"

#include "app/ownwindowmirror.h"
#include "bar/x11windowtype.h"
#include "platform/ownwindowregistry.h"

#include <QEnterEvent>
#include <QIcon>
#include <QPixmap>
#include <QVBoxLayout>

namespace Velmora {

TaskbarPanel::TaskbarPanel(QWidget *parent)
    : QWidget(parent,
          Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus)
{
    setWindowTitle(QStringLiteral("Velmora Taskbar"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TranslucentBackground);
    // A press on an inactive bar acts on the first click.
    setAttribute(Qt::WA_X11DoNotAcceptFocus);
    // The bar is never the active window, and Qt shows the buttons' help
    // tags only in the active one unless told otherwise.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    OwnWindowMirror::setLayer(this, OwnWindowRegistry::StatusLayer);
    // A dock: a window manager keeps it above the windows it frames and
    // leaves it unframed where it was put.
    X11WindowType::set(this, X11WindowType::Type::Dock);
    // No window the user switches to: it carries no icon, and drawing the
    // application's icon for it would only hold up the first bar.
    QPixmap none(1, 1);
    none.fill(Qt::transparent);
    setWindowIcon(QIcon(none));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
}

void TaskbarPanel::setContent(QWidget *content)
{
    if (content == m_content)
        return;
    delete m_content;
    m_content = content;
    if (m_content) {
        m_content->setParent(this);
        layout()->addWidget(m_content);
        m_content->show();
    }
}

void TaskbarPanel::enterEvent(QEnterEvent *event)
{
    // The arrow over the bar, whatever cursor the application in front set.
    setCursor(Qt::ArrowCursor);
    QWidget::enterEvent(event);
}

} // namespace Velmora
